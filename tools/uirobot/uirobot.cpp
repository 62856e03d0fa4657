// uirobot: drives the installer's windows from outside, one action per invocation.
//
// It runs in the same Wine prefix and on the same display as the program under test, finds
// its windows and sends or posts window messages to them, as a person at the screen would
// act. Output is UTF-8 on stdout, one result per line; diagnostics go to stderr.
//
// Exit status: 0 success; 1 a wait timed out, a window or control was not found, or the
// window refused the action; 2 bad usage.
//
// HWND values print and parse as hex with a 0x prefix. Control ids are decimal or 0x hex
// and are compared in full, so 65535 (0xFFFF, the message box text) differs from the
// 0xFFFFFFFF that an IDC_STATIC of a DIALOGEX template gets.
//
//   find --title T [--has-control ID] [--no-control ID] [--timeout MS]
//       Wait for a visible top-level dialog (class #32770) captioned exactly T and
//       print its handle.
//   messagebox --title T [--icon | --buttons] [--timeout MS]
//       Wait for a message box (a dialog captioned T holding control 65535) and print
//       its text, or with --icon its icon, or with --buttons its buttons.
//   buttons HWND          Visible buttons of a window: "ID<TAB>TEXT" per line.
//   icon HWND             Icon of a message box: error, warning, information, question,
//                         none or unknown (matched on screen pixels, so it must be unobscured).
//   children HWND         Every direct child: "HANDLE<TAB>ID<TAB>CLASS<TAB>STATE<TAB>TEXT".
//   text HWND ID          Text of a control; an IP address control gives its dotted address,
//                         or an empty line when all its fields are blank.
//   combo HWND ID [--selected]
//                         Items of a combo box, one per line; or the selected index (-1: none).
//   state HWND ID         "enabled|disabled visible|hidden".
//   focus HWND            Id of the control that has the keyboard focus (none if outside).
//   rect HWND ID          "LEFT TOP RIGHT BOTTOM" of a control in HWND's client coordinates.
//   screen-rect HWND [ID] "LEFT TOP RIGHT BOTTOM" on the screen of the window, frame
//                         included, or of its control ID (to crop or probe a screenshot).
//   click HWND ID [--force]
//                         Post BN_CLICKED of the control to HWND.
//   select HWND ID INDEX [--force]
//                         Select a combo box item and post CBN_SELCHANGE to HWND.
//   settext HWND ID TEXT [--force]
//                         Set a control's text; for an IP address control TEXT is a.b.c.d
//                         or empty to clear it.
//   key HWND KEY          Post key down and up of KEY (a name such as escape, return, tab,
//                         space, or a virtual-key code) to the focused control inside HWND.
//   mouse HWND ID|self MESSAGE [X Y] [--keys K+K] [--routed]
//                         Post a mouse message (rbuttondblclk, lbuttondown, ...; X Y in the
//                         target's client coordinates, default its centre; keys from
//                         lbutton rbutton mbutton shift control).
//   close HWND            Post WM_CLOSE.
//   wait-gone HWND [--timeout MS]
//                         Wait until the window no longer exists.
//   list [--visible]
//       Every top-level window: "HANDLE<TAB>PID<TAB>visible|hidden<TAB>CLASS<TAB>CAPTION".
//   run [--timeout MS] PROGRAM [ARG...]
//       Start PROGRAM (a Windows path) with CreateProcess, as a deployment tool would,
//       wait until it ends and print its exit code. On the timeout it is terminated.
//
// A lone -- ends the options, for a TEXT that starts with --.
//
// Actions a person could not take (click, select, settext on a disabled or hidden control)
// fail with status 1 unless --force is given. Waits poll every 50 ms; the default timeout is
// 10000 ms. Posted rather than sent messages keep the robot from blocking while the
// program shows a modal box; queries use SendMessageTimeout so a hung program cannot hang
// the robot.
#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPollMs = 50;
constexpr DWORD kDefaultTimeoutMs = 10000;
constexpr UINT kSendTimeoutMs = 5000;
constexpr UINT32 kMessageBoxTextId = 0xFFFF;

struct UsageError {
    std::wstring what;
};
struct Failure {
    std::wstring what;
};

std::string to_utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

// Bytes go out unchanged: the C runtime's text mode would turn "\n" into "\r\n".
void write_to(DWORD which, const std::wstring& text) {
    std::string bytes = to_utf8(text);
    HANDLE handle = GetStdHandle(which);
    const char* at = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(handle, at, static_cast<DWORD>(left), &written, nullptr) || written == 0) {
            return;
        }
        at += written;
        left -= written;
    }
}

void out_line(const std::wstring& text) {
    write_to(STD_OUTPUT_HANDLE, text + L"\n");
}
void err_line(const std::wstring& text) {
    write_to(STD_ERROR_HANDLE, L"uirobot: " + text + L"\n");
}

std::wstring hex(uint64_t value) {
    wchar_t buffer[24];
    swprintf(buffer, 24, L"0x%llx", static_cast<unsigned long long>(value));
    return buffer;
}

std::wstring handle_text(HWND window) {
    return hex(reinterpret_cast<uintptr_t>(window));
}

// Strict number parsing: decimal, or hex with 0x; the whole word must be the number.
std::optional<int64_t> parse_number(const std::wstring& word) {
    bool negative = !word.empty() && word[0] == L'-';
    std::wstring digits = negative ? word.substr(1) : word;
    int base = 10;
    if (digits.size() > 2 && digits[0] == L'0' && (digits[1] == L'x' || digits[1] == L'X')) {
        base = 16;
        digits = digits.substr(2);
    }
    // Short enough that the value cannot overflow.
    if (digits.empty() || digits.size() > (base == 16 ? 15u : 18u)) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (wchar_t c : digits) {
        int digit = iswdigit(c)                    ? c - L'0'
                    : (base == 16 && iswxdigit(c)) ? towlower(c) - L'a' + 10
                                                   : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * base + digit;
    }
    return negative ? -value : value;
}

int64_t number_arg(const std::wstring& word, const wchar_t* what, int64_t low, int64_t high) {
    std::optional<int64_t> value = parse_number(word);
    if (!value || *value < low || *value > high) {
        throw UsageError{std::wstring(L"bad ") + what + L": " + word};
    }
    return *value;
}

HWND handle_word(const std::wstring& word) {
    if (word.size() < 3 || word[0] != L'0' || (word[1] != L'x' && word[1] != L'X')) {
        throw UsageError{L"a window handle is hex with 0x: " + word};
    }
    auto value = number_arg(word, L"window handle", 1, INT64_MAX);
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
}

HWND handle_arg(const std::wstring& word) {
    HWND window = handle_word(word);
    if (!IsWindow(window)) {
        throw Failure{L"no window " + word};
    }
    return window;
}

UINT32 id_arg(const std::wstring& word) {
    return static_cast<UINT32>(number_arg(word, L"control id", 0, 0xFFFFFFFF));
}

// --- windows and messages ---

// A message sent across processes that the program does not answer in time fails the
// command instead of blocking it.
LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
        throw Failure{L"window " + handle_text(window) + L" did not answer message " +
                      hex(message)};
    }
    return static_cast<LRESULT>(result);
}

void post(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!PostMessageW(window, message, wparam, lparam)) {
        throw Failure{L"cannot post to window " + handle_text(window)};
    }
}

std::wstring class_of(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

bool same_class(HWND window, const wchar_t* name) {
    return _wcsicmp(class_of(window).c_str(), name) == 0;
}

// The caption as stored by the system; unlike WM_GETTEXT this never waits on the program.
std::wstring caption_of(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring text_of(HWND window) {
    auto length = static_cast<size_t>(send(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    auto copied = static_cast<size_t>(
        send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(copied, length));
    return text;
}

UINT32 id_of(HWND window) {
    return static_cast<UINT32>(GetWindowLongPtrW(window, GWLP_ID));
}

std::vector<HWND> children_of(HWND parent) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        found.push_back(child);
    }
    return found;
}

// Ids compare in all 32 bits, which keeps 0xFFFF (a message box's text) apart from a
// DIALOGEX static's 0xFFFFFFFF.
HWND child_by_id(HWND parent, UINT32 id) {
    for (HWND child : children_of(parent)) {
        if (id_of(child) == id) {
            return child;
        }
    }
    return nullptr;
}

HWND control_arg(HWND parent, const std::wstring& word) {
    HWND control = child_by_id(parent, id_arg(word));
    if (!control) {
        throw Failure{L"window " + handle_text(parent) + L" has no control " + word};
    }
    return control;
}

void require_usable(HWND control, bool force) {
    if (force) {
        return;
    }
    if (!IsWindowVisible(control)) {
        throw Failure{L"control " + std::to_wstring(id_of(control)) + L" is hidden"};
    }
    if (!IsWindowEnabled(control)) {
        throw Failure{L"control " + std::to_wstring(id_of(control)) + L" is disabled"};
    }
}

// The one poll loop: checks at once, then every kPollMs until the timeout has passed.
template <typename Check>
bool poll(DWORD timeout_ms, Check check) {
    ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
        if (check()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kPollMs);
    }
}

// A named function: a lambda would not have the stdcall convention of 32-bit Windows.
BOOL CALLBACK collect_window(HWND window, LPARAM into) {
    reinterpret_cast<std::vector<HWND>*>(into)->push_back(window);
    return TRUE;
}

std::vector<HWND> top_level_windows() {
    std::vector<HWND> found;
    EnumWindows(collect_window, reinterpret_cast<LPARAM>(&found));
    return found;
}

struct DialogQuery {
    std::wstring title;
    std::vector<UINT32> has;
    std::vector<UINT32> lacks;
};

HWND find_dialog(const DialogQuery& query, DWORD timeout_ms) {
    HWND found = nullptr;
    bool ok = poll(timeout_ms, [&] {
        for (HWND window : top_level_windows()) {
            if (!IsWindowVisible(window) || !same_class(window, L"#32770") ||
                caption_of(window) != query.title) {
                continue;
            }
            bool match = std::all_of(query.has.begin(), query.has.end(),
                                     [&](UINT32 id) { return child_by_id(window, id); }) &&
                         std::none_of(query.lacks.begin(), query.lacks.end(),
                                      [&](UINT32 id) { return child_by_id(window, id); });
            if (match) {
                found = window;
                return true;
            }
        }
        return false;
    });
    if (!ok) {
        throw Failure{L"no dialog \"" + query.title + L"\" within " + std::to_wstring(timeout_ms) +
                      L" ms"};
    }
    return found;
}

// --- icon recognition ---

// A 32-bit top-down bitmap selected into a memory DC, to draw into and read back.
class Canvas {
  public:
    Canvas(int width, int height) : count_(static_cast<size_t>(width) * height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!bitmap_) {
            DeleteDC(dc_);
            throw Failure{L"cannot make a bitmap"};
        }
        bits_ = static_cast<DWORD*>(bits);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    void fill(DWORD colour) { std::fill(bits_, bits_ + count_, colour); }
    std::vector<DWORD> pixels() const {
        GdiFlush();
        return {bits_, bits_ + count_};
    }

  private:
    size_t count_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

int channel_distance(DWORD a, DWORD b) {
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        sum +=
            std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    }
    return sum;
}

std::wstring icon_of(HWND box) {
    // The icon static has id 20 in Windows and 1088 in Wine: its style finds it in both.
    auto children = children_of(box);
    auto found = std::find_if(children.begin(), children.end(), [](HWND child) {
        return same_class(child, L"Static") && IsWindowVisible(child) &&
               (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    });
    if (found == children.end()) {
        return L"none";
    }
    HWND icon = *found;
    // The handle is of no use here but tells whether there is an icon at all.
    if (!send(icon, STM_GETICON, 0, 0)) {
        return L"none";
    }
    RECT rect;
    GetWindowRect(icon, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return L"none";
    }
    struct Known {
        const wchar_t* name;
        LPCWSTR resource;
    };
    const Known known[] = {{L"error", IDI_HAND},
                           {L"warning", IDI_EXCLAMATION},
                           {L"information", IDI_ASTERISK},
                           {L"question", IDI_QUESTION}};
    std::wstring best = L"unknown";
    // Another process's icon handle cannot be read, so the icon is recognised on screen:
    // the static's pixels are compared with each system icon drawn on the same background.
    // A box just shown may not be painted yet: a blank capture is retried for a while.
    poll(2000, [&] {
        Canvas screen_copy(width, height);
        HDC screen = GetDC(nullptr);
        BitBlt(screen_copy.dc(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        std::vector<DWORD> shown = screen_copy.pixels();
        DWORD background = shown[0] & 0xFFFFFF;
        if (std::all_of(shown.begin(), shown.end(),
                        [&](DWORD pixel) { return (pixel & 0xFFFFFF) == background; })) {
            return false;
        }
        size_t best_mismatch = shown.size();
        for (const Known& candidate : known) {
            Canvas drawing(width, height);
            drawing.fill(background);
            DrawIconEx(drawing.dc(), 0, 0, LoadIconW(nullptr, candidate.resource), width, height, 0,
                       nullptr, DI_NORMAL);
            std::vector<DWORD> drawn = drawing.pixels();
            size_t mismatch = 0;
            for (size_t i = 0; i < shown.size(); ++i) {
                mismatch += channel_distance(shown[i], drawn[i]) > 48;
            }
            if (mismatch < best_mismatch) {
                best_mismatch = mismatch;
                best = candidate.name;
            }
        }
        // The system draws the same icon identically; a looser match could mistake the
        // question mark for the information sign, which differ in 7 % of their pixels.
        if (best_mismatch * 50 > shown.size()) {
            best = L"unknown";
        }
        return true;
    });
    return best;
}

// --- argument parsing ---

struct Args {
    std::vector<std::wstring> positional;
    std::map<std::wstring, std::vector<std::wstring>> options;

    bool flag(const std::wstring& name) const { return options.count(name) > 0; }
    std::optional<std::wstring> value(const std::wstring& name) const {
        auto it = options.find(name);
        if (it == options.end()) {
            return std::nullopt;
        }
        return it->second.back();
    }
    DWORD timeout() const {
        auto text = value(L"--timeout");
        return text ? static_cast<DWORD>(number_arg(*text, L"timeout", 0, 3600000))
                    : kDefaultTimeoutMs;
    }
};

struct Command {
    const wchar_t* name;
    const wchar_t* usage;
    size_t min_positional;
    size_t max_positional;
    std::set<std::wstring> valued;
    std::set<std::wstring> flags;
    int (*run)(const Args&);
};

Args parse(const Command& command, const std::vector<std::wstring>& words) {
    Args args;
    bool options_done = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::wstring& word = words[i];
        if (!options_done && word == L"--") {
            options_done = true;
        } else if (!options_done && word.size() > 2 && word.rfind(L"--", 0) == 0) {
            if (command.flags.count(word)) {
                args.options[word].push_back(L"");
            } else if (command.valued.count(word)) {
                if (i + 1 == words.size()) {
                    throw UsageError{word + L" needs a value"};
                }
                args.options[word].push_back(words[++i]);
            } else {
                throw UsageError{L"unknown option " + word};
            }
        } else {
            args.positional.push_back(word);
        }
    }
    if (args.positional.size() < command.min_positional ||
        args.positional.size() > command.max_positional) {
        throw UsageError{std::wstring(L"usage: uirobot ") + command.usage};
    }
    return args;
}

// --- commands ---

DialogQuery query_from(const Args& args) {
    auto title = args.value(L"--title");
    if (!title) {
        throw UsageError{L"--title is required"};
    }
    DialogQuery query{*title, {}, {}};
    if (args.options.count(L"--has-control")) {
        for (const auto& id : args.options.at(L"--has-control")) {
            query.has.push_back(id_arg(id));
        }
    }
    if (args.options.count(L"--no-control")) {
        for (const auto& id : args.options.at(L"--no-control")) {
            query.lacks.push_back(id_arg(id));
        }
    }
    return query;
}

int cmd_find(const Args& args) {
    out_line(handle_text(find_dialog(query_from(args), args.timeout())));
    return 0;
}

int print_buttons(HWND window) {
    for (HWND child : children_of(window)) {
        if (same_class(child, L"Button") && IsWindowVisible(child)) {
            out_line(std::to_wstring(id_of(child)) + L"\t" + text_of(child));
        }
    }
    return 0;
}

int cmd_messagebox(const Args& args) {
    if (args.flag(L"--icon") && args.flag(L"--buttons")) {
        throw UsageError{L"--icon and --buttons exclude each other"};
    }
    DialogQuery query = query_from(args);
    query.has.push_back(kMessageBoxTextId);
    HWND box = find_dialog(query, args.timeout());
    if (args.flag(L"--icon")) {
        out_line(icon_of(box));
    } else if (args.flag(L"--buttons")) {
        print_buttons(box);
    } else {
        out_line(text_of(child_by_id(box, kMessageBoxTextId)));
    }
    return 0;
}

int cmd_buttons(const Args& args) {
    return print_buttons(handle_arg(args.positional[0]));
}

int cmd_icon(const Args& args) {
    out_line(icon_of(handle_arg(args.positional[0])));
    return 0;
}

std::wstring state_of(HWND window) {
    return std::wstring(IsWindowEnabled(window) ? L"enabled" : L"disabled") +
           (IsWindowVisible(window) ? L" visible" : L" hidden");
}

int cmd_children(const Args& args) {
    for (HWND child : children_of(handle_arg(args.positional[0]))) {
        out_line(handle_text(child) + L"\t" + std::to_wstring(id_of(child)) + L"\t" +
                 class_of(child) + L"\t" + state_of(child) + L"\t" + text_of(child));
    }
    return 0;
}

int cmd_text(const Args& args) {
    HWND control = control_arg(handle_arg(args.positional[0]), args.positional[1]);
    // A blank IP address control reads as 0.0.0.0; the empty line tells it apart, as the
    // screen does.
    bool blank = same_class(control, WC_IPADDRESSW) && send(control, IPM_ISBLANK, 0, 0);
    out_line(blank ? L"" : text_of(control));
    return 0;
}

int cmd_combo(const Args& args) {
    HWND combo = control_arg(handle_arg(args.positional[0]), args.positional[1]);
    if (args.flag(L"--selected")) {
        out_line(std::to_wstring(static_cast<int>(send(combo, CB_GETCURSEL, 0, 0))));
        return 0;
    }
    auto count = static_cast<int>(send(combo, CB_GETCOUNT, 0, 0));
    if (count == CB_ERR) {
        throw Failure{L"control " + args.positional[1] + L" is not a combo box"};
    }
    for (int i = 0; i < count; ++i) {
        auto length = static_cast<int>(send(combo, CB_GETLBTEXTLEN, i, 0));
        if (length == CB_ERR) {
            throw Failure{L"cannot read item " + std::to_wstring(i)};
        }
        std::wstring item(static_cast<size_t>(length) + 1, L'\0');
        auto copied =
            static_cast<int>(send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data())));
        item.resize(static_cast<size_t>(std::clamp(copied, 0, length)));
        out_line(item);
    }
    return 0;
}

int cmd_state(const Args& args) {
    out_line(state_of(control_arg(handle_arg(args.positional[0]), args.positional[1])));
    return 0;
}

bool is_inside(HWND window, HWND ancestor) {
    return window == ancestor || IsChild(ancestor, window);
}

HWND focus_in(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus ||
        !is_inside(info.hwndFocus, window)) {
        return nullptr;
    }
    return info.hwndFocus;
}

int cmd_focus(const Args& args) {
    HWND window = handle_arg(args.positional[0]);
    HWND focus = focus_in(window);
    if (!focus) {
        out_line(L"none");
        return 0;
    }
    // A control inside a control (the fields of an IP address control) reports the
    // direct child of the window, which is what the window's ids name.
    while (GetParent(focus) && GetParent(focus) != window) {
        focus = GetParent(focus);
    }
    out_line(focus == window ? L"self" : std::to_wstring(id_of(focus)));
    return 0;
}

RECT rect_in_parent(HWND control, HWND parent) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int cmd_rect(const Args& args) {
    HWND window = handle_arg(args.positional[0]);
    RECT rect = rect_in_parent(control_arg(window, args.positional[1]), window);
    out_line(std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
             std::to_wstring(rect.right) + L" " + std::to_wstring(rect.bottom));
    return 0;
}

int cmd_screen_rect(const Args& args) {
    HWND window = handle_arg(args.positional[0]);
    if (args.positional.size() == 2) {
        window = control_arg(window, args.positional[1]);
    }
    RECT rect;
    GetWindowRect(window, &rect);
    out_line(std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
             std::to_wstring(rect.right) + L" " + std::to_wstring(rect.bottom));
    return 0;
}

int cmd_click(const Args& args) {
    HWND window = handle_arg(args.positional[0]);
    HWND button = control_arg(window, args.positional[1]);
    require_usable(button, args.flag(L"--force"));
    post(window, WM_COMMAND, MAKEWPARAM(id_of(button), BN_CLICKED),
         reinterpret_cast<LPARAM>(button));
    return 0;
}

int cmd_select(const Args& args) {
    HWND window = handle_arg(args.positional[0]);
    HWND combo = control_arg(window, args.positional[1]);
    auto index = static_cast<int>(number_arg(args.positional[2], L"index", -1, INT32_MAX));
    require_usable(combo, args.flag(L"--force"));
    // CB_SETCURSEL answers CB_ERR both for a bad index and for -1 (which clears).
    if (send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0) == CB_ERR && index != -1) {
        throw Failure{L"combo box has no item " + args.positional[2]};
    }
    post(window, WM_COMMAND, MAKEWPARAM(id_of(combo), CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(combo));
    return 0;
}

LPARAM ip_address_arg(const std::wstring& text) {
    DWORD address = 0;
    size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        size_t end = text.find(L'.', start);
        if ((part < 3) != (end != std::wstring::npos)) {
            throw UsageError{L"an IP address is a.b.c.d: " + text};
        }
        std::wstring field = text.substr(start, end == std::wstring::npos ? end : end - start);
        if (field.empty() || field[0] == L'-') {
            throw UsageError{L"an IP address is a.b.c.d: " + text};
        }
        address = (address << 8) | static_cast<DWORD>(number_arg(field, L"address field", 0, 255));
        start = end + 1;
    }
    return static_cast<LPARAM>(address);
}

int cmd_settext(const Args& args) {
    HWND window = handle_arg(args.positional[0]);
    HWND control = control_arg(window, args.positional[1]);
    const std::wstring& text = args.positional[2];
    require_usable(control, args.flag(L"--force"));
    if (same_class(control, WC_IPADDRESSW)) {
        // IPM_SETADDRESS carries the address in lparam itself, so it crosses processes.
        if (text.empty()) {
            send(control, IPM_CLEARADDRESS, 0, 0);
        } else {
            send(control, IPM_SETADDRESS, 0, ip_address_arg(text));
        }
    } else if (!send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) {
        throw Failure{L"control " + args.positional[1] + L" refused the text"};
    }
    return 0;
}

UINT virtual_key_arg(const std::wstring& word) {
    static const std::map<std::wstring, UINT> names = {
        {L"escape", VK_ESCAPE}, {L"esc", VK_ESCAPE},    {L"return", VK_RETURN},
        {L"enter", VK_RETURN},  {L"tab", VK_TAB},       {L"space", VK_SPACE},
        {L"left", VK_LEFT},     {L"right", VK_RIGHT},   {L"up", VK_UP},
        {L"down", VK_DOWN},     {L"home", VK_HOME},     {L"end", VK_END},
        {L"f1", VK_F1},         {L"delete", VK_DELETE}, {L"back", VK_BACK}};
    std::wstring lower = word;
    std::transform(lower.begin(), lower.end(), lower.begin(), towlower);
    if (auto it = names.find(lower); it != names.end()) {
        return it->second;
    }
    return static_cast<UINT>(number_arg(word, L"key", 1, 0xFE));
}

// Real keys reach the focused control; a dialog's message loop (IsDialogMessage) turns
// Esc and Enter there into IDCANCEL and the default button. The key state that
// GetKeyState reports does not change, so Shift+Tab cannot be posted this way.
int cmd_key(const Args& args) {
    HWND window = handle_arg(args.positional[0]);
    UINT key = virtual_key_arg(args.positional[1]);
    HWND target = focus_in(window);
    if (!target) {
        target = window;
    }
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    post(target, WM_KEYDOWN, key, 1 | scan);
    post(target, WM_KEYUP, key, 1 | scan | (LPARAM{1} << 30) | (LPARAM{1} << 31));
    return 0;
}

UINT mouse_message_arg(const std::wstring& word) {
    static const std::map<std::wstring, UINT> names = {
        {L"mousemove", WM_MOUSEMOVE},         {L"lbuttondown", WM_LBUTTONDOWN},
        {L"lbuttonup", WM_LBUTTONUP},         {L"lbuttondblclk", WM_LBUTTONDBLCLK},
        {L"rbuttondown", WM_RBUTTONDOWN},     {L"rbuttonup", WM_RBUTTONUP},
        {L"rbuttondblclk", WM_RBUTTONDBLCLK}, {L"mbuttondown", WM_MBUTTONDOWN},
        {L"mbuttonup", WM_MBUTTONUP},         {L"mbuttondblclk", WM_MBUTTONDBLCLK}};
    std::wstring lower = word;
    std::transform(lower.begin(), lower.end(), lower.begin(), towlower);
    if (lower.rfind(L"wm_", 0) == 0) {
        lower = lower.substr(3);
    }
    if (auto it = names.find(lower); it != names.end()) {
        return it->second;
    }
    throw UsageError{L"unknown mouse message " + word};
}

WPARAM mouse_keys_arg(const std::wstring& list) {
    static const std::map<std::wstring, WPARAM> names = {{L"lbutton", MK_LBUTTON},
                                                         {L"rbutton", MK_RBUTTON},
                                                         {L"mbutton", MK_MBUTTON},
                                                         {L"shift", MK_SHIFT},
                                                         {L"control", MK_CONTROL},
                                                         {L"ctrl", MK_CONTROL},
                                                         {L"none", 0}};
    WPARAM keys = 0;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = std::min(list.find(L'+', start), list.size());
        std::wstring name = list.substr(start, end - start);
        std::transform(name.begin(), name.end(), name.begin(), towlower);
        auto it = names.find(name);
        if (it == names.end()) {
            throw UsageError{L"unknown mouse key " + name};
        }
        keys |= it->second;
        start = end + 1;
    }
    return keys;
}

// Posted mouse messages carry the keys in wparam only; GetKeyState in the program still
// reports them up. With --routed the message goes where the system would deliver it: to
// the parent when the control is transparent to the mouse (a static without SS_NOTIFY).
int cmd_mouse(const Args& args) {
    HWND window = handle_arg(args.positional[0]);
    HWND target = args.positional[1] == L"self" ? window : control_arg(window, args.positional[1]);
    UINT message = mouse_message_arg(args.positional[2]);
    if (args.positional.size() == 4) {
        throw UsageError{L"give both X and Y"};
    }
    RECT client;
    GetClientRect(target, &client);
    POINT point{client.right / 2, client.bottom / 2};
    if (args.positional.size() == 5) {
        point.x = static_cast<LONG>(number_arg(args.positional[3], L"x", -32768, 32767));
        point.y = static_cast<LONG>(number_arg(args.positional[4], L"y", -32768, 32767));
    }
    WPARAM keys = args.value(L"--keys") ? mouse_keys_arg(*args.value(L"--keys")) : 0;
    if (args.flag(L"--routed") && target != window) {
        POINT on_screen = point;
        ClientToScreen(target, &on_screen);
        if (send(target, WM_NCHITTEST, 0, MAKELPARAM(on_screen.x, on_screen.y)) == HTTRANSPARENT) {
            MapWindowPoints(target, window, &point, 1);
            target = window;
        }
    }
    post(target, message, keys, MAKELPARAM(point.x, point.y));
    return 0;
}

int cmd_close(const Args& args) {
    post(handle_arg(args.positional[0]), WM_CLOSE, 0, 0);
    return 0;
}

int cmd_wait_gone(const Args& args) {
    // A window already gone is what was waited for.
    HWND window = handle_word(args.positional[0]);
    if (!poll(args.timeout(), [&] { return !IsWindow(window); })) {
        throw Failure{L"window " + args.positional[0] + L" still there"};
    }
    return 0;
}

int cmd_list(const Args& args) {
    for (HWND window : top_level_windows()) {
        bool visible = IsWindowVisible(window);
        if (args.flag(L"--visible") && !visible) {
            continue;
        }
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        out_line(handle_text(window) + L"\t" + std::to_wstring(process) + L"\t" +
                 (visible ? L"visible" : L"hidden") + L"\t" + class_of(window) + L"\t" +
                 caption_of(window));
    }
    return 0;
}

// One argument as CommandLineToArgvW and the C runtime split it again: quoted when
// it is empty or holds blanks or quotes, backslashes doubled before a quote.
std::wstring quoted_argument(const std::wstring& word) {
    if (!word.empty() && word.find_first_of(L" \t\"") == std::wstring::npos) {
        return word;
    }
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : word) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\');
    return out + L"\"";
}

int cmd_run(const Args& args) {
    std::wstring command_line;
    for (const std::wstring& word : args.positional) {
        command_line += (command_line.empty() ? L"" : L" ") + quoted_argument(word);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(args.positional[0].c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        throw Failure{L"cannot start " + args.positional[0] + L": error " +
                      std::to_wstring(GetLastError())};
    }
    CloseHandle(process.hThread);
    const DWORD waited = WaitForSingleObject(process.hProcess, args.timeout());
    DWORD code = 0;
    const bool ended = waited == WAIT_OBJECT_0 && GetExitCodeProcess(process.hProcess, &code);
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hProcess);
    if (!ended) {
        throw Failure{args.positional[0] + L" still running after " +
                      std::to_wstring(args.timeout()) + L" ms: terminated"};
    }
    out_line(std::to_wstring(code));
    return 0;
}

int cmd_help(const Args&);

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {L"find",
         L"find --title T [--has-control ID]... [--no-control ID]... [--timeout MS]",
         0,
         0,
         {L"--title", L"--has-control", L"--no-control", L"--timeout"},
         {},
         cmd_find},
        {L"messagebox",
         L"messagebox --title T [--icon | --buttons] [--timeout MS]",
         0,
         0,
         {L"--title", L"--timeout"},
         {L"--icon", L"--buttons"},
         cmd_messagebox},
        {L"buttons", L"buttons HWND", 1, 1, {}, {}, cmd_buttons},
        {L"icon", L"icon HWND", 1, 1, {}, {}, cmd_icon},
        {L"children", L"children HWND", 1, 1, {}, {}, cmd_children},
        {L"text", L"text HWND ID", 2, 2, {}, {}, cmd_text},
        {L"combo", L"combo HWND ID [--selected]", 2, 2, {}, {L"--selected"}, cmd_combo},
        {L"state", L"state HWND ID", 2, 2, {}, {}, cmd_state},
        {L"focus", L"focus HWND", 1, 1, {}, {}, cmd_focus},
        {L"rect", L"rect HWND ID", 2, 2, {}, {}, cmd_rect},
        {L"screen-rect", L"screen-rect HWND [ID]", 1, 2, {}, {}, cmd_screen_rect},
        {L"click", L"click HWND ID [--force]", 2, 2, {}, {L"--force"}, cmd_click},
        {L"select", L"select HWND ID INDEX [--force]", 3, 3, {}, {L"--force"}, cmd_select},
        {L"settext", L"settext HWND ID TEXT [--force]", 3, 3, {}, {L"--force"}, cmd_settext},
        {L"key", L"key HWND KEY", 2, 2, {}, {}, cmd_key},
        {L"mouse",
         L"mouse HWND ID|self MESSAGE [X Y] [--keys K+K] [--routed]",
         3,
         5,
         {L"--keys"},
         {L"--routed"},
         cmd_mouse},
        {L"close", L"close HWND", 1, 1, {}, {}, cmd_close},
        {L"wait-gone", L"wait-gone HWND [--timeout MS]", 1, 1, {L"--timeout"}, {}, cmd_wait_gone},
        {L"list", L"list [--visible]", 0, 0, {}, {L"--visible"}, cmd_list},
        {L"run", L"run [--timeout MS] PROGRAM [ARG...]", 1, SIZE_MAX, {L"--timeout"}, {}, cmd_run},
        {L"help", L"help", 0, 0, {}, {}, cmd_help},
    };
    return table;
}

int cmd_help(const Args&) {
    out_line(L"uirobot COMMAND ARGS: drive another program's windows; exit 0 ok, 1 timed out or");
    out_line(L"not found, 2 bad usage. HWND is hex with 0x; ID is decimal or 0x hex.");
    for (const Command& command : commands()) {
        out_line(std::wstring(L"  uirobot ") + command.usage);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> words(argv + 1, argv + argc);
    if (!words.empty() && (words[0] == L"--help" || words[0] == L"-h")) {
        words[0] = L"help";
    }
    try {
        if (words.empty()) {
            throw UsageError{L"no command; see uirobot --help"};
        }
        const auto& table = commands();
        auto command = std::find_if(table.begin(), table.end(),
                                    [&](const Command& c) { return words[0] == c.name; });
        if (command == table.end()) {
            throw UsageError{L"unknown command " + words[0] + L"; see uirobot --help"};
        }
        return command->run(parse(*command, {words.begin() + 1, words.end()}));
    } catch (const UsageError& error) {
        err_line(error.what);
        return 2;
    } catch (const Failure& error) {
        err_line(error.what);
        return 1;
    }
}
