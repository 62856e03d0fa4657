// The installer's main window (template 102): a two-step wizard. Step 0 offers the
// printers it knows of and an address entry; Next asks the printer who it is and
// goes to step 1, where Install runs the progress dialog. The step is not stored:
// the updater's attached port tells it.
#pragma once

#include <cstdint>

#include "app/alpha_bitmap.h"
#include "discovery/port_info_list.h"
#include "platform/dialog.h"
#include "platform/services.h"

class CUpdater;
class FirmwareTarget;
class PortFactory;

class CTarnelDlg : public platform::CDialog {
  public:
    CTarnelDlg(platform::Services& services, CUpdater& updater, PortFactory& ports);

    BOOL OnInitDialog() override;
    BOOL OnCommand(int id, unsigned notifyCode) override;
    void OnCancel() override;
    bool OnSysCommand(unsigned commandId, std::intptr_t lParam) override;
    BOOL OnToolTipNeedText(platform::ToolTipRequest& request) override;

    void SetStep(BOOL step);
    void UpdateAddressControl();

    void OnBnClickedOk();
    void OnBnClickedBack();
    void OnCbnSelchangePort();
    void DetectPrinter();
    void InstallFirmware();

    CAlphaBitmap m_logo;
    // Handed over by the application object before the dialog runs.
    BOOL m_bSocketsReady = FALSE;
    BOOL m_bCommandLine = FALSE;
    std::uint32_t m_dwCmdAddress = 0;  // host byte order; 0 when none or invalid
    CString m_strCmdUsbPort;
    int m_nPortType = 0;
    CPortInfoList m_portList;

  private:
    // What can end the initialisation, with the message it shows.
    enum TarnelError {
        ERR_ILLEGAL_PARAMETER = 0,
        ERR_SOCKET = 1,
        ERR_FATAL = 2,
        ERR_IMAGE_LOAD = 3,
        ERR_IMAGE_TARGET = 4,
    };
    static unsigned MessageOf(TarnelError error);

    bool IsUsbKind() const { return (m_nPortType & 0x60) != 0; }
    CString Text(unsigned id) const;  // empty when missing
    // Throws ERR_FATAL when the string is missing.
    CString RequireString(unsigned id) const;
    void ShowLogo();
    void OfferNetworkPrinters(const FirmwareTarget& target);
    // Appends the records of one source to m_portList; returns how many.
    int ReadPrinterSource(int generation);
    void WidenDropDown();
    int Show(unsigned id, unsigned style);

    platform::Services& m_services;
    CUpdater& m_updater;
    PortFactory& m_ports;
};
