// The window model and the Win32 calls made on it: dialogs from templates, modal
// loops that nest with the owner disabled, focus and its button notifications,
// automatic check boxes and radio groups, and the dialog keyboard (Tab, arrows,
// Enter, Escape, Space, mnemonics), each as user32 does it.
#include "standin/window_model.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <deque>
#include <thread>

extern const unsigned char embeddedResourceScript[];
extern const unsigned embeddedResourceScriptSize;
extern const unsigned char embeddedResourceHeader[];
extern const unsigned embeddedResourceHeaderSize;

namespace {

FrontEnd* frontEnd = nullptr;
std::vector<WindowRecord*> modalDialogs; // innermost last
std::string debugText;

struct PostedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::deque<PostedMessage> postedMessages;

using Clock = std::chrono::steady_clock;
struct ThreadTimer {
    UINT_PTR id;
    Clock::duration interval;
    Clock::time_point due;
    TIMERPROC procedure;
};
std::vector<ThreadTimer> timers;
UINT_PTR lastTimerId = 0;

HWND DialogOf(HWND window) {
    return window == nullptr || window->IsDialog() ? window : window->parent;
}

void Changed(HWND window) {
    if (frontEnd != nullptr && DialogOf(window) != nullptr && DialogOf(window)->view != nullptr) {
        frontEnd->DialogChanged(DialogOf(window));
    }
}

LRESULT SendCommand(HWND dialog, int id, int code, HWND control) {
    return dialog->procedure(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                             reinterpret_cast<LPARAM>(control));
}

bool Notifies(HWND control) {
    return control != nullptr && !control->IsDialog() && control->kind != ControlKind::GroupBox &&
           (control->style & BS_NOTIFY) != 0;
}

// Focus changes tell a BS_NOTIFY button, which tells its dialog.
void MoveFocus(HWND dialog, HWND control) {
    HWND previous = dialog->focus;
    if (previous == control) {
        return;
    }
    dialog->focus = control;
    if (previous != nullptr) {
        previous->pressed = false;
    }
    if (Notifies(previous)) {
        SendCommand(dialog, previous->id, BN_KILLFOCUS, previous);
    }
    if (Notifies(control) && dialog->focus == control) {
        SendCommand(dialog, control->id, BN_SETFOCUS, control);
    }
    Changed(dialog);
}

// A dialog loses the keyboard to a window it owns, and gets it back afterwards;
// its focused control hears of both.
void SetActive(HWND dialog, bool active) {
    if (dialog == nullptr) {
        return;
    }
    dialog->enabled = active;
    if (Notifies(dialog->focus)) {
        SendCommand(dialog, dialog->focus->id, active ? BN_SETFOCUS : BN_KILLFOCUS, dialog->focus);
    }
    Changed(dialog);
}

bool Usable(const WindowRecord& control) {
    return (control.style & WS_VISIBLE) != 0 && control.enabled;
}

std::size_t IndexOf(HWND dialog, HWND control) {
    for (std::size_t i = 0; i < dialog->controls.size(); ++i) {
        if (dialog->controls[i].get() == control) {
            return i;
        }
    }
    return dialog->controls.size();
}

// The next (or previous) tab stop after `from`, round the end; from nullptr, the first.
HWND NextTabItem(HWND dialog, HWND from, bool previous) {
    const std::size_t count = dialog->controls.size();
    if (count == 0) {
        return nullptr;
    }
    std::size_t at = IndexOf(dialog, from);
    if (at == count) {
        at = previous ? 0 : count - 1;
    }
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t i = previous ? (at + count - step) % count : (at + step) % count;
        const WindowRecord& control = *dialog->controls[i];
        if ((control.style & WS_TABSTOP) != 0 && Usable(control)) {
            return dialog->controls[i].get();
        }
    }
    return nullptr;
}

// The controls run round in a circle, and a WS_GROUP control starts a group that
// lasts until the next one: the indexes of the group holding control `at`, from its start.
std::vector<std::size_t> GroupOf(HWND dialog, std::size_t at) {
    const std::size_t count = dialog->controls.size();
    auto grouped = [&](std::size_t i) {
        return (dialog->controls[i % count]->style & WS_GROUP) != 0;
    };
    std::size_t start = at;
    for (std::size_t step = 0; step < count; ++step) {
        if (grouped(at + count - step)) {
            start = (at + count - step) % count;
            break;
        }
    }
    std::vector<std::size_t> group{start};
    for (std::size_t i = start + 1; i < start + count && !grouped(i); ++i) {
        group.push_back(i % count);
    }
    return group;
}

// The arrow keys move within the group of the focus, round its end.
HWND NextGroupItem(HWND dialog, HWND from, bool previous) {
    const std::size_t at = IndexOf(dialog, from);
    if (at == dialog->controls.size()) {
        return nullptr;
    }
    const std::vector<std::size_t> group = GroupOf(dialog, at);
    const std::size_t size = group.size();
    const std::size_t position =
        static_cast<std::size_t>(std::find(group.begin(), group.end(), at) - group.begin());
    for (std::size_t step = 1; step < size; ++step) {
        const std::size_t i =
            group[previous ? (position + size - step) % size : (position + step) % size];
        if (Usable(*dialog->controls[i])) {
            return dialog->controls[i].get();
        }
    }
    return from;
}

void SetCheck(HWND control, WPARAM state);

// A checked automatic radio button clears the other automatic radio buttons of its group.
void ClearRadioGroup(HWND control) {
    HWND dialog = control->parent;
    for (const std::size_t i : GroupOf(dialog, IndexOf(dialog, control))) {
        WindowRecord& other = *dialog->controls[i];
        if (&other != control && (other.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
            other.check != BST_UNCHECKED) {
            SetCheck(&other, BST_UNCHECKED);
        }
    }
}

void SetCheck(HWND control, WPARAM state) {
    const DWORD type = control->style & BS_TYPEMASK;
    if (control->kind != ControlKind::CheckBox && control->kind != ControlKind::RadioButton) {
        return;
    }
    control->check = state != 0 ? BST_CHECKED : BST_UNCHECKED;
    // A radio button is a tab stop exactly while it is checked, so Tab lands on
    // the chosen one of its group.
    if (control->kind == ControlKind::RadioButton) {
        control->style = state != 0 ? (control->style | WS_TABSTOP)
                                    : (control->style & ~static_cast<DWORD>(WS_TABSTOP));
    }
    if (type == BS_AUTORADIOBUTTON && state == BST_CHECKED) {
        ClearRadioGroup(control);
    }
    Changed(control);
}

// What a click does to a button: it takes the focus, an automatic box changes its
// state, and the dialog hears BN_CLICKED.
void Click(HWND control) {
    HWND dialog = control->parent;
    if (control->kind == ControlKind::GroupBox || control->kind == ControlKind::Other) {
        return;
    }
    MoveFocus(dialog, control);
    switch (control->style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
        SetCheck(control, control->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTORADIOBUTTON:
        SetCheck(control, BST_CHECKED);
        break;
    default:
        break;
    }
    SendCommand(dialog, control->id, BN_CLICKED, control);
}

HWND FindControl(HWND dialog, int id) {
    for (const auto& control : dialog->controls) {
        if ((control->id & 0xFFFF) == (id & 0xFFFF)) {
            return control.get();
        }
    }
    return nullptr;
}

HWND TemplateDefaultButton(HWND dialog) {
    for (const auto& control : dialog->controls) {
        if (control->kind == ControlKind::PushButton &&
            (control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return control.get();
        }
    }
    return nullptr;
}

bool TakesInput(HWND dialog) {
    return dialog != nullptr && dialog->IsDialog() && dialog->enabled && !dialog->ended &&
           !modalDialogs.empty() && modalDialogs.back() == dialog;
}

// Enter presses the focused button only if it is a default push button; otherwise
// the first default push button of the template, or IDOK.
void Enter(HWND dialog) {
    HWND focus = dialog->focus;
    if (focus != nullptr && focus->kind == ControlKind::PushButton &&
        (focus->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        SendCommand(dialog, focus->id, BN_CLICKED, focus);
        return;
    }
    HWND fallback = TemplateDefaultButton(dialog);
    if (fallback != nullptr && fallback->enabled) {
        SendCommand(dialog, fallback->id, BN_CLICKED, fallback);
    } else {
        SendCommand(dialog, IDOK, BN_CLICKED, FindControl(dialog, IDOK));
    }
}

// Moving the focus with the keyboard onto a push button makes it a default push
// button, which Enter then presses; it stays one afterwards.
void NavigateTo(HWND dialog, HWND control) {
    MoveFocus(dialog, control);
    if (control->kind == ControlKind::PushButton && dialog->focus == control) {
        control->style = (control->style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_DEFPUSHBUTTON;
        Changed(dialog);
    }
}

void Arrow(HWND dialog, bool previous) {
    if (dialog->focus == nullptr) {
        return;
    }
    HWND next = NextGroupItem(dialog, dialog->focus, previous);
    if (next == nullptr || next == dialog->focus) {
        return;
    }
    if (next->kind != ControlKind::RadioButton) {
        NavigateTo(dialog, next);
        return;
    }
    MoveFocus(dialog, next);
    // Moving onto an automatic radio button chooses it.
    if ((next->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON && next->check != BST_CHECKED &&
        dialog->focus == next) {
        Click(next);
    }
}

void KeyDown(HWND dialog, int key, bool shift) {
    switch (key) {
    case VK_TAB:
        if (HWND next = NextTabItem(dialog, dialog->focus, shift)) {
            NavigateTo(dialog, next);
        }
        break;
    case VK_LEFT:
    case VK_UP:
        Arrow(dialog, true);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        Arrow(dialog, false);
        break;
    case VK_RETURN:
        Enter(dialog);
        break;
    case VK_ESCAPE:
        SendCommand(dialog, IDCANCEL, BN_CLICKED, FindControl(dialog, IDCANCEL));
        break;
    case VK_SPACE:
        if (dialog->focus != nullptr && dialog->focus->kind != ControlKind::GroupBox) {
            dialog->focus->pressed = true;
            Changed(dialog);
        }
        break;
    default:
        if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
            PressMnemonic(dialog, static_cast<char32_t>(key));
        }
        break;
    }
}

void KeyUp(HWND dialog, int key) {
    if (key == VK_SPACE && dialog->focus != nullptr && dialog->focus->pressed) {
        dialog->focus->pressed = false;
        Click(dialog->focus);
    }
}

void ForgetPostedFor(HWND dialog) {
    std::erase_if(postedMessages, [dialog](const PostedMessage& posted) {
        return DialogOf(posted.window) == dialog;
    });
}

// Runs the timer due first, waiting for it; false when no timer is set.
bool RunNextTimer() {
    const auto first =
        std::min_element(timers.begin(), timers.end(),
                         [](const ThreadTimer& a, const ThreadTimer& b) { return a.due < b.due; });
    if (first == timers.end()) {
        return false;
    }
    std::this_thread::sleep_until(first->due);
    first->due = Clock::now() + first->interval;
    // The procedure may set or kill timers, so nothing of the list is held across it.
    const ThreadTimer fired = *first;
    const auto now =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch());
    fired.procedure(nullptr, WM_TIMER, fired.id, static_cast<DWORD>(now.count()));
    return true;
}

// Delivers one posted message; false when there was none.
bool DeliverPosted() {
    if (postedMessages.empty()) {
        return false;
    }
    const PostedMessage posted = postedMessages.front();
    postedMessages.pop_front();
    HWND dialog = DialogOf(posted.window);
    // Keys go through the dialog keyboard first, as the modal loop does it.
    if (posted.message == WM_KEYDOWN || posted.message == WM_SYSKEYDOWN) {
        if (TakesInput(dialog)) {
            KeyDown(dialog, static_cast<int>(posted.wParam), false);
        }
    } else if (posted.message == WM_KEYUP || posted.message == WM_SYSKEYUP) {
        if (TakesInput(dialog)) {
            KeyUp(dialog, static_cast<int>(posted.wParam));
        }
    } else if (posted.message == WM_CHAR || posted.message == WM_SYSCHAR) {
        PressMnemonic(dialog, static_cast<char32_t>(posted.wParam));
    } else {
        SendMessageA(posted.window, posted.message, posted.wParam, posted.lParam);
    }
    return true;
}

// What a dialog and a control both take from their template.
template <typename Template>
std::unique_ptr<WindowRecord> WindowFrom(const Template& source) {
    auto window = std::make_unique<WindowRecord>();
    window->id = source.id;
    window->style = source.style;
    window->caption = source.caption;
    window->x = source.x;
    window->y = source.y;
    window->cx = source.cx;
    window->cy = source.cy;
    return window;
}

std::unique_ptr<WindowRecord> BuildDialog(const DialogTemplate& source, HWND owner,
                                          DLGPROC procedure) {
    auto dialog = WindowFrom(source);
    dialog->owner = owner;
    dialog->source = &source;
    dialog->procedure = procedure;
    for (const ControlTemplate& item : source.controls) {
        auto control = WindowFrom(item);
        control->parent = dialog.get();
        control->enabled = (item.style & WS_DISABLED) == 0;
        switch (item.style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            control->kind = ControlKind::PushButton;
            break;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
            control->kind = ControlKind::CheckBox;
            break;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            control->kind = ControlKind::RadioButton;
            break;
        case BS_GROUPBOX:
            control->kind = ControlKind::GroupBox;
            break;
        default:
            control->kind = ControlKind::Other;
            break;
        }
        dialog->controls.push_back(std::move(control));
    }
    return dialog;
}

} // namespace

bool WindowRecord::CanFocus() const {
    return !IsDialog() && kind != ControlKind::GroupBox && kind != ControlKind::Other &&
           Usable(*this);
}

char WindowRecord::Mnemonic() const {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (caption[i + 1] != '&') {
                return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
            }
            ++i;
        }
    }
    return 0;
}

std::string WindowRecord::VisibleCaption() const {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

void SetFrontEnd(FrontEnd* newFrontEnd) {
    frontEnd = newFrontEnd;
}

HINSTANCE ProgramModule() {
    static ResourceModule module;
    static bool read = false;
    static bool good = false;
    if (!read) {
        read = true;
        const std::string_view script(reinterpret_cast<const char*>(embeddedResourceScript),
                                      embeddedResourceScriptSize);
        const std::string_view header(reinterpret_cast<const char*>(embeddedResourceHeader),
                                      embeddedResourceHeaderSize);
        ResourceScriptResult result = ReadResourceScript(script, {{"resource.h", header}});
        if (!result.error.empty()) {
            std::fprintf(stderr, "kivo6: the built-in dialog templates cannot be read: %s\n",
                         result.error.c_str());
        } else {
            module.dialogs = std::move(result.dialogs);
            good = true;
        }
    }
    return good ? &module : nullptr;
}

void ClickControl(HWND control) {
    if (control != nullptr && !control->IsDialog() && TakesInput(control->parent) &&
        Usable(*control)) {
        Click(control);
    }
}

void DoubleClickControl(HWND control) {
    if (control == nullptr || control->IsDialog() || !TakesInput(control->parent) ||
        !Usable(*control)) {
        return;
    }
    // The second click of a pair: a BS_NOTIFY push button reports it as such,
    // every other button as one more click.
    if (control->kind == ControlKind::PushButton && Notifies(control)) {
        SendCommand(control->parent, control->id, BN_DOUBLECLICKED, control);
    } else {
        Click(control);
    }
}

void PressKey(HWND dialog, int virtualKey, bool shift) {
    if (!TakesInput(dialog)) {
        return;
    }
    KeyDown(dialog, virtualKey, shift);
    if (TakesInput(dialog)) {
        KeyUp(dialog, virtualKey);
    }
}

void PressMnemonic(HWND dialog, char32_t character) {
    if (!TakesInput(dialog) || character > 0x7F) {
        return;
    }
    const char wanted = static_cast<char>(std::toupper(static_cast<int>(character)));
    // Searching from the control after the focus lets two controls share a letter.
    const std::size_t count = dialog->controls.size();
    const std::size_t at = IndexOf(dialog, dialog->focus);
    for (std::size_t step = 1; step <= count; ++step) {
        HWND control = dialog->controls[(at + step) % count].get();
        if (control->Mnemonic() == wanted && Usable(*control)) {
            ClickControl(control);
            return;
        }
    }
}

void CloseDialog(HWND dialog) {
    if (!TakesInput(dialog)) {
        return;
    }
    HWND cancel = FindControl(dialog, IDCANCEL);
    if (cancel == nullptr || cancel->enabled) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
    }
}

bool DispatchPending() {
    return DeliverPosted() || RunNextTimer();
}

HWND ActiveDialog() {
    return modalDialogs.empty() ? nullptr : modalDialogs.back();
}

HWND DefaultButton(HWND dialog) {
    if (dialog->focus != nullptr && dialog->focus->kind == ControlKind::PushButton &&
        (dialog->focus->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        return dialog->focus;
    }
    return TemplateDefaultButton(dialog);
}

const std::string& DebugOutput() {
    return debugText;
}

// The Win32 calls

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner,
                               DLGPROC procedure, LPARAM initParam) {
    if (instance == nullptr || frontEnd == nullptr || procedure == nullptr ||
        !IS_INTRESOURCE(templateName)) {
        return -1;
    }
    const int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(templateName));
    const auto source =
        std::find_if(instance->dialogs.begin(), instance->dialogs.end(),
                     [id](const DialogTemplate& dialog) { return dialog.id == id; });
    if (source == instance->dialogs.end()) {
        return -1;
    }
    std::unique_ptr<WindowRecord> dialog = BuildDialog(*source, DialogOf(owner), procedure);
    HWND self = dialog.get();
    SetActive(self->owner, false);
    modalDialogs.push_back(self);

    HWND firstTabStop = NextTabItem(self, nullptr, false);
    if (procedure(self, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTabStop), initParam) !=
            FALSE &&
        !self->ended) {
        if (HWND first = NextTabItem(self, nullptr, false)) {
            MoveFocus(self, first);
        }
    }
    if (!self->ended) {
        frontEnd->DialogOpened(self);
        while (!self->ended) {
            if (!DispatchPending()) {
                frontEnd->WaitForInput();
            }
        }
        frontEnd->DialogClosed(self);
        self->view = nullptr;
    }
    modalDialogs.pop_back();
    ForgetPostedFor(self);
    SetActive(self->owner, true);
    return self->result;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    dialog = DialogOf(dialog);
    if (dialog == nullptr) {
        return FALSE;
    }
    dialog->ended = true;
    dialog->result = result;
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND dialog, int controlId) {
    return dialog != nullptr && dialog->IsDialog() ? FindControl(dialog, controlId) : nullptr;
}

int WINAPI GetDlgCtrlID(HWND control) {
    return control != nullptr && !control->IsDialog() ? control->id : 0;
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == nullptr) {
        return 0;
    }
    if (window->IsDialog()) {
        const INT_PTR handled = window->procedure(window, message, wParam, lParam);
        // What the default dialog handling does with what the procedure left alone.
        if (handled == FALSE && message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
            CloseDialog(window);
        } else if (handled == FALSE && message == WM_CLOSE) {
            CloseDialog(window);
        }
        return 0;
    }
    switch (message) {
    case BM_GETCHECK:
        return window->check;
    case BM_SETCHECK:
        SetCheck(window, wParam);
        return 0;
    case BM_CLICK:
        Click(window);
        return 0;
    default:
        return 0;
    }
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == nullptr) {
        return FALSE;
    }
    postedMessages.push_back({window, message, wParam, lParam});
    return TRUE;
}

BOOL WINAPI InvalidateRect(HWND window, const RECT*, BOOL) {
    Changed(window);
    return window != nullptr ? TRUE : FALSE;
}

HWND WINAPI GetFocus() {
    HWND dialog = ActiveDialog();
    if (dialog == nullptr || !dialog->enabled) {
        return nullptr;
    }
    return dialog->focus != nullptr ? dialog->focus : dialog;
}

HWND WINAPI SetFocus(HWND window) {
    HWND previous = GetFocus();
    if (window != nullptr && !window->IsDialog()) {
        MoveFocus(window->parent, window);
    }
    return previous;
}

BOOL WINAPI IsWindowEnabled(HWND window) {
    return window != nullptr && window->enabled ? TRUE : FALSE;
}

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR, UINT elapseMs, TIMERPROC procedure) {
    if (window != nullptr || procedure == nullptr) {
        return 0;
    }
    const auto interval = std::chrono::milliseconds(elapseMs);
    timers.push_back({++lastTimerId, interval, Clock::now() + interval, procedure});
    return lastTimerId;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
    const auto erased = std::erase_if(timers, [window, id](const ThreadTimer& timer) {
        return window == nullptr && timer.id == id;
    });
    return erased != 0 ? TRUE : FALSE;
}

void WINAPI OutputDebugStringA(LPCSTR text) {
    // Nobody reads it but a debugger or a test; keep the latest few lines.
    debugText += text;
    if (debugText.size() > 4096) {
        debugText.erase(0, debugText.size() - 4096);
    }
}

extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    owner = DialogOf(owner);
    const std::string shownText = TextFromCodePage932(text != nullptr ? text : "");
    const std::string shownCaption = TextFromCodePage932(caption != nullptr ? caption : "Error");
    if (frontEnd == nullptr) {
        std::fprintf(stderr, "%s: %s\n", shownCaption.c_str(), shownText.c_str());
        return IDOK;
    }
    SetActive(owner, false);
    frontEnd->ShowMessageBox(owner, shownCaption, shownText, type);
    SetActive(owner, true);
    return IDOK;
}
