#include "platform/win32/win32_port_services.h"

#include <winspool.h>

namespace platform::win32 {

namespace {

class Win32SpoolerPrinter final : public SpoolerPrinter {
  public:
    explicit Win32SpoolerPrinter(HANDLE printer) : m_printer(printer) {}
    ~Win32SpoolerPrinter() override { ClosePrinter(m_printer); }
    Win32SpoolerPrinter(const Win32SpoolerPrinter&) = delete;
    Win32SpoolerPrinter& operator=(const Win32SpoolerPrinter&) = delete;

    bool StartDocument(const CString& documentName, const CString& dataType) override {
        CString name = documentName;
        CString type = dataType;
        DOC_INFO_1W info{name.data(), nullptr, type.data()};
        return StartDocPrinterW(m_printer, 1, reinterpret_cast<LPBYTE>(&info)) != 0;
    }
    bool StartPage() override { return StartPagePrinter(m_printer) != FALSE; }
    bool Write(const void* data, std::uint32_t size, std::uint32_t& written) override {
        DWORD n = 0;
        const BOOL ok = WritePrinter(m_printer, const_cast<void*>(data), size, &n);
        written = n;
        return ok != FALSE;
    }
    bool EndPage() override { return EndPagePrinter(m_printer) != FALSE; }
    bool EndDocument() override { return EndDocPrinter(m_printer) != FALSE; }

  private:
    HANDLE m_printer;
};

}  // namespace

std::unique_ptr<SpoolerPrinter> Win32Spooler::Open(const CString& queueName) {
    CString name = queueName;
    HANDLE printer = nullptr;
    if (!OpenPrinterW(name.data(), &printer, nullptr)) {
        return nullptr;
    }
    return std::make_unique<Win32SpoolerPrinter>(printer);
}

}  // namespace platform::win32
