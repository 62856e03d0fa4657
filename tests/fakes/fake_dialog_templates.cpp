// The controls of the templates in res/tarnel.rc (English versions), by id.
#include "fakes/fake_dialog_host.h"
#include "resource.h"

namespace fakes {

std::vector<TemplateControl> TemplateControls(unsigned templateId) {
    switch (templateId) {
        case IDD_TARNEL_DIALOG:
            return {
                {IDOK, ControlKind::Button, L"OK"},
                {IDC_LOGO, ControlKind::Picture, L""},
                {IDC_MODEL_TEXT, ControlKind::Static, L""},
                {IDC_VERSION_TEXT, ControlKind::Static, L""},
                {IDC_PORT_TEXT, ControlKind::Static, L""},
                {IDC_PORT_COMBO, ControlKind::Combo, L"", true},
                {IDC_IPADDRESS, ControlKind::IpAddress, L""},
                {IDCANCEL, ControlKind::Button, L"Cancel"},
                {IDC_BACK, ControlKind::Button, L"&Back"},
            };
        case IDD_ABOUTBOX:
            return {
                {IDC_ABOUT_VERSION, ControlKind::Static, L""},
                {IDOK, ControlKind::Button, L"OK"},
            };
        case IDD_SENDSTATUS:
            return {
                {IDC_STATUS_TEXT, ControlKind::Static, L""},
                {IDC_STATUS_ICON, ControlKind::Icon, L""},
            };
        default:
            return {};
    }
}

}  // namespace fakes
