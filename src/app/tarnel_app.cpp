#include "app/tarnel_app.h"

#include <utility>

#include "app/address_from_text.h"
#include "app/command_line.h"
#include "app/message_ids.h"
#include "app/messages.h"
#include "app/tarnel_dlg.h"
#include "platform/message_box.h"
#include "platform/single_instance.h"
#include "platform/system_setup.h"

CTarnelApp::CTarnelApp(platform::Services& services, CUpdater& updater, PortFactory& ports,
                       std::vector<CString> arguments)
    : m_services(services), m_updater(updater), m_ports(ports), m_arguments(std::move(arguments)) {}

BOOL CTarnelApp::InitInstance() {
    if (!m_services.singleInstance.Acquire(kSingleInstanceMutexName)) {
        ShowMessage(m_services.strings, m_services.messageBoxes, IDS_ALREADY_RUNNING,
                    platform::mb::kIconError | platform::mb::kOk);
        m_nExitCode = TarnelExitCode::EXIT_ALREADY_RUNNING;
        return FALSE;
    }
    m_services.systemSetup.InitCommonControls();
    const bool socketsReady = m_services.systemSetup.InitSockets();
    try {
        const CommandLineTexts texts = ParseCommandLine(m_arguments);
        CTarnelDlg dlg(m_services, m_updater, m_ports);
        if (!texts.address.empty()) {
            dlg.m_dwCmdAddress = AddressFromText(texts.address);
            dlg.m_bCommandLine = TRUE;
        } else if (!texts.usbPort.empty()) {
            dlg.m_strCmdUsbPort = texts.usbPort;
            dlg.m_bCommandLine = TRUE;
        }
        dlg.m_bSocketsReady = socketsReady ? TRUE : FALSE;
        m_nExitCode = dlg.DoModal();
    } catch (TarnelExitCode::EXITCODE code) {
        m_nExitCode = code;
    }
    return FALSE;
}

int CTarnelApp::ExitInstance() {
    return m_nExitCode;
}

int RunTarnelApp(platform::Services& services, CUpdater& updater, PortFactory& ports,
                 std::vector<CString> arguments) {
    CTarnelApp app(services, updater, ports, std::move(arguments));
    app.InitInstance();
    return app.ExitInstance();
}
