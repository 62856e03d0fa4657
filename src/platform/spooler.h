// The print spooler: a queue opened by name takes raw documents.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/tarnel_types.h"

namespace platform {

// An open spooler queue; its destructor closes it.
class SpoolerPrinter {
  public:
    virtual ~SpoolerPrinter() = default;
    // Starts a document of level 1 without output file.
    virtual bool StartDocument(const CString& documentName, const CString& dataType) = 0;
    virtual bool StartPage() = 0;
    // One write; `written` receives how many bytes the spooler took. False when the
    // write failed.
    [[nodiscard]] virtual bool Write(const void* data, std::uint32_t size,
                                     std::uint32_t& written) = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDocument() = 0;
};

class Spooler {
  public:
    virtual ~Spooler() = default;
    // Opens the queue with default access; null when it cannot be opened.
    [[nodiscard]] virtual std::unique_ptr<SpoolerPrinter> Open(const CString& queueName) = 0;
};

}  // namespace platform
