// The process-wide updater: holds the build's target, the firmware image and the
// attached printer's port, and makes every decision about the printer.
//
// Ownership: SetFirmware and AttachPrinter take the objects they accept out of the
// caller's pointers and leave refused ones with the caller, who destroys them (a
// refused port after Close). The updater closes and destroys its port when it is
// replaced, detached or the updater is destroyed at process exit.
#pragma once

#include <memory>

#include "app/firmware_target.h"
#include "image/puf_image.h"
#include "install/device_id.h"
#include "platform/tarnel_types.h"
#include "ports/port.h"

namespace platform {
class MessageBoxes;
class StringTable;
}  // namespace platform

// The results of the three questions, as the dialogs tell them apart.
enum AttachResult : int {
    ATTACH_ACCEPTED = 0,
    ATTACH_UNUSABLE = 1,  // target, image or port missing, or GetDeviceId failed
    ATTACH_NO_PAIRS = 2,
    ATTACH_MODEL_REFUSED = 3,    // "MDL" absent or not a supported model
    ATTACH_VERSION_REFUSED = 4,  // no usable "VER", or not older than the carried one
};

enum ReadyResult : int {
    READY_ACCEPTED = 0,
    READY_UNUSABLE = 1,  // nothing attached, no status format, or no status word text
    READY_NO_REPLY = 2,
    READY_NOT_READY = 5,  // status word bit 31 clear: the sub power switch is on
    READY_LOADER_MODE = 6,
};

enum InstalledResult : int {
    INSTALLED_CONFIRMED = 0,
    INSTALLED_UNUSABLE = 1,  // nothing attached, no pairs, no "MDL" or no usable "VER"
    INSTALLED_NO_REPLY = 2,
    INSTALLED_MODEL_REFUSED = 3,
    INSTALLED_OTHER_VERSION = 4,
    INSTALLED_LOADER_MODE = 6,
};

class CUpdater {
  public:
    // The one updater of the program, destroyed at process exit.
    static CUpdater& GetInstance();

    CUpdater() = default;
    // Releases the port; a file error of its Close is shown, never thrown.
    virtual ~CUpdater();
    CUpdater(const CUpdater&) = delete;
    CUpdater& operator=(const CUpdater&) = delete;

    // Takes both when the updater holds nothing yet and the image's header carries
    // the target's product code and version: 1. Otherwise 0, and both stay with the
    // caller.
    int SetFirmware(std::unique_ptr<FirmwareTarget>& target, std::unique_ptr<CPufImage>& image);

    // Asks the printer for its identity (AttachResult). Accepted: the updater took the port
    // (replacing, closing and destroying one attached before). Any other result
    // leaves the port with the caller. m_strModel and m_nPrinterVersion keep what
    // was read, also on refusal.
    int AttachPrinter(std::unique_ptr<CPort>& port, int statusFormat);

    // Closes and destroys the attached port and forgets the printer's model and
    // version; the status format stays.
    void DetachPrinter();

    // Whether the attached printer can receive firmware (ReadyResult).
    int CheckReady();

    // Whether the attached printer reports the carried version (InstalledResult); on
    // confirmation the port is closed but stays attached.
    int CheckInstalled();

    // Where the destructor shows a file error: both must outlive the updater.
    void SetExitReport(const platform::StringTable& strings, platform::MessageBoxes& boxes) {
        m_pExitStrings = &strings;
        m_pExitBoxes = &boxes;
    }

    std::unique_ptr<FirmwareTarget> m_pTarget;
    std::unique_ptr<CPufImage> m_pImage;
    std::unique_ptr<CPort> m_pPort;
    int m_nStatusFormat = kStatusFormatNone;
    CString m_strModel;         // "MDL" of the last AttachPrinter reply
    int m_nPrinterVersion = 0;  // its version in hundredths; -1 when it gave none

  private:
    void ReleasePort();

    const platform::StringTable* m_pExitStrings = nullptr;
    platform::MessageBoxes* m_pExitBoxes = nullptr;
};
