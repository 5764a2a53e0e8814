// The six numeric edit classes: superclasses of EDIT that filter keystrokes, check their range
// when the focus leaves them, normalise their text, and (the spin kinds) carry an up-down
// control. Also the class atoms of the standard controls.
#include <windows.h>

#include <cctype>
#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/conversion.h"
#include "core/dialogs.h"
#include "core/numeric_edit.h"
#include "core/display.h"
#include "core/numeric_values.h"
#include "core/startup.h"
#include "quillamorph/dialogs.h"

ATOM atomInteger, atomSpinInteger, atomReal, atomSpinReal, atomDouble, atomSpinDouble;
ATOM atomEdit, atomButton, atomStatic, atomTrack, atomTree, atomTab, atomList, atomCombo,
    atomProgress, atomUpDown, atomHeader;
WNDPROC lpNormalEditProc, lpNormalButtonProc, lpNormalStaticProc, lpNormalTrackProc,
    lpNormalTreeProc, lpNormalTabProc, lpNormalUpDownProc;

HWND hBadVal = nullptr;
HWND hBadTab = nullptr;
int iBadTab = 0;
int StoreVal = 0;
char cLastGood[256];
double dLastGood = 0.0;
int bOverride = 0;
int nocheck = 0;
int bCheckKillFocus = 1;
int bDecimal = 0;

namespace {

const char *const kClassNames[6] = {"INTEGEREDIT", "INTEGERSPIN", "REALEDIT",
                                    "REALSPIN",    "DOUBLEEDIT",  "DOUBLESPIN"};

char DecimalChar() { return bDecimal ? wDecimal : '.'; }

// The value of a numeric text (the field decimal character read as a point). False when the
// text is not a number.
bool TextValue(const char *text, double *value) {
    char copy[256];
    std::size_t n = 0;
    for (const char *p = text; *p && n + 1 < sizeof copy; ++p)
        copy[n++] = (bDecimal && *p == wDecimal) ? '.' : *p;
    copy[n] = '\0';
    int ok = 0;
    *value = 0.0;
    yyst2dblcheck_(value, &ok, copy, static_cast<int>(n));
    if (!ok) *value = 0.0;
    return ok != 0;
}

// The text of a field in the field's own format ("(G15.5E2)" without one), integers as
// integer text; the field decimal character replaces the point when it is switched on.
void FieldText(char *text, int size) {
    for (char *p = text; *p; ++p)
        if (bDecimal && *p == '.') *p = wDecimal;
    int n = size;
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\0')) --n;
    text[n < size ? n : size - 1] = '\0';
}

void WriteText(HWND field, char *text, int size) {
    FieldText(text, size);
    SetWindowTextA(field, text);
}

const char *FieldFormat(HWND field) {
    FieldRecord *record = quill::FieldRecordOf(field);
    return record && record->format ? record->format : "(G15.5E2)";
}

bool IsBlankText(const char *text) {
    for (; *text; ++text)
        if (*text != ' ') return false;
    return true;
}

bool IsPushButton(HWND window) {
    if (!window || quill::WindowClassAtom(window) != atomButton) return false;
    LONG style = GetWindowLongA(window, GWL_STYLE) & 0xF;
    return style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON;
}

// The root frame or the root's client area (a child window of the library is another window
// like any other).
bool IsRootWindow(HWND window) { return window && (window == wWindow[0] || window == hClient[0]); }

void CreateSpin(HWND edit, FieldRecord *record, int kind) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_ALIGNRIGHT | UDS_ARROWKEYS;
    if (kind != kNumericInteger) style |= UDS_NOTHOUSANDS;
    if (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) style |= WS_DISABLED;
    HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "", style, 0, 0, 1, 1, GetParent(edit),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)),
                                GetModuleHandleA(nullptr), nullptr);
    if (!spin) return;
    char text[256];
    GetWindowTextA(edit, text, sizeof text);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(spin, UDM_SETRANGE32, static_cast<WPARAM>(-100), 100);
    UDACCEL accel[2] = {{0, 1}, {2, 5}};
    SendMessageA(spin, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accel));
    if (kind == kNumericInteger)
        SendMessageA(spin, UDM_SETPOS32, 0,
                     static_cast<LPARAM>(static_cast<short>(std::atoi(text))));
    SetWindowTextA(edit, text);
    WNDPROC old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(spin, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(yysubupdown)));
    if (!lpNormalUpDownProc) lpNormalUpDownProc = old;
    record->upDown = spin;
}

// Creation: the record, the template text (with the field decimal character), its value.
void OnCreate(HWND edit, int kind, bool spin) {
    FieldRecord *record = quill::FieldRecordOf(edit);
    if (!record) return;
    char text[255] = {0};
    GetWindowTextA(edit, text, sizeof text);
    if (bDecimal)
        for (char *p = text; *p; ++p)
            if (*p == '.') *p = wDecimal;
    SetWindowTextA(edit, text);
    TextValue(text, &record->value);
    record->hasText = text[0] != '\0';
    SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
    if (kind == kNumericInteger) {
        record->maxLength = 11;
        SendMessageA(edit, EM_LIMITTEXT, 11, 0);
    }
    if (spin) CreateSpin(edit, record, kind);
}

// Focus leaving: integer fields always, real and double fields when edited, get their value
// from the text and the text rewritten in the field's format when it differs from it.
void Normalise(HWND edit, int kind) {
    FieldRecord *record = quill::FieldRecordOf(edit);
    if (!record) return;
    if (kind != kNumericInteger && !SendMessageA(edit, EM_GETMODIFY, 0, 0)) return;
    char text[256] = {0};
    GetWindowTextA(edit, text, sizeof text);
    char shown[256];
    std::memcpy(shown, text, sizeof shown);
    if (IsBlankText(text)) {
        record->value = 0.0;
    } else {
        TextValue(text, &record->value);
        record->hasText = 1;
        for (char *p = text; *p; ++p)
            if (bDecimal && *p == wDecimal) *p = '.';
        const char *format = FieldFormat(edit);
        int length = static_cast<int>(sizeof text) - 1;
        if (kind == kNumericInteger)
            yyformi_(text, length);
        else if (kind == kNumericReal)
            yyformr_(text, format, length, static_cast<int>(std::strlen(format)));
        else
            yyformd_(text, format, length, static_cast<int>(std::strlen(format)));
        // Rewriting a text that is already canonical would put the caret back at the start
        // and drop the selection every time the focus leaves the field.
        FieldText(text, length);
        if (std::strcmp(text, shown) != 0) SetWindowTextA(edit, text);
    }
    SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
}

LRESULT OnChar(HWND edit, int kind, WPARAM wParam, LPARAM lParam) {
    int passed = 0;
    switch (quill::NumericCharAction(kind, static_cast<int>(wParam), DecimalChar(), &passed)) {
    case kCharSelectAll:
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        return 0;
    case kCharAccept:
        return CallWindowProcA(lpNormalEditProc, edit, WM_CHAR, static_cast<WPARAM>(passed),
                               lParam);
    default: quill::RingFieldBell(); return 0;
    }
}

LRESULT yynumericproc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, int kind, bool spin) {
    FieldRecord *record = quill::FieldRecordOf(edit);
    switch (message) {
    case WM_NCCREATE: {
        FieldRecord *created = quill::NewFieldRecord();
        if (!created) return FALSE;
        created->step = 1.0;
        created->page = 5.0;
        created->maxLength = (GetWindowLongA(edit, GWL_STYLE) & ES_MULTILINE) ? 0xFFFF : 0x7FFF;
        SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        break;
    }
    case WM_CREATE: {
        LRESULT result = CallWindowProcA(lpNormalEditProc, edit, message, wParam, lParam);
        if (result != -1) OnCreate(edit, kind, spin);
        return result;
    }
    case WM_SETFOCUS:
        if (record) {
            if (StoreVal) {
                StoreVal = 0;
                GetWindowTextA(edit, cLastGood, sizeof cLastGood);
                dLastGood = record->value;
            }
            record->tabLeft = 0;
        }
        SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
        break;
    case WM_GETDLGCODE: {
        // The dialog manager handles Tab itself: note here that the field is left with it.
        const MSG *msg = reinterpret_cast<const MSG *>(lParam);
        if (record && msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB)
            record->tabLeft = 1;
        break;
    }
    case WM_KEYDOWN:
        if (record && wParam == VK_TAB) record->tabLeft = 1;
        break;
    case WM_KILLFOCUS:
        if (yyoutofrange(edit, reinterpret_cast<HWND>(wParam), 0)) return 0;
        Normalise(edit, kind);
        break;
    case WM_CHAR: return OnChar(edit, kind, wParam, lParam);
    case WM_NCDESTROY: {
        LRESULT result = CallWindowProcA(lpNormalEditProc, edit, message, wParam, lParam);
        SetWindowLongPtrA(edit, GWLP_USERDATA, 0);
        if (hBadVal == edit) hBadVal = nullptr;
        if (hBadTab == edit) hBadTab = nullptr;
        quill::FreeFieldRecord(record);
        return result;
    }
    default: break;
    }
    return CallWindowProcA(lpNormalEditProc, edit, message, wParam, lParam);
}

LRESULT CALLBACK yyintegersupercls(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return yynumericproc(w, m, wp, lp, kNumericInteger, false);
}
LRESULT CALLBACK yyintegerspinsupercls(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return yynumericproc(w, m, wp, lp, kNumericInteger, true);
}
LRESULT CALLBACK yyrealsupercls(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return yynumericproc(w, m, wp, lp, kNumericReal, false);
}
LRESULT CALLBACK yyrealspinsupercls(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return yynumericproc(w, m, wp, lp, kNumericReal, true);
}
LRESULT CALLBACK yydoublesupercls(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return yynumericproc(w, m, wp, lp, kNumericDouble, false);
}
LRESULT CALLBACK yydoublespinsupercls(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return yynumericproc(w, m, wp, lp, kNumericDouble, true);
}

// Procedure and atom of a standard class, read from a hidden window of it.
ATOM ProbeClass(const char *name, WNDPROC *procedure) {
    HWND probe = CreateWindowExA(0, name, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (!probe) return 0;
    ATOM atom = static_cast<ATOM>(GetClassLongA(probe, GCW_ATOM));
    if (procedure) *procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(probe, GWLP_WNDPROC));
    DestroyWindow(probe);
    return atom;
}

}  // namespace

ATOM quill::WindowClassAtom(HWND window) {
    return window ? static_cast<ATOM>(GetClassLongA(window, GCW_ATOM)) : 0;
}

int quill::NumericClassKind(HWND control) {
    ATOM atom = WindowClassAtom(control);
    if (!atom) return kNumericNone;
    if (atom == atomInteger || atom == atomSpinInteger) return kNumericInteger;
    if (atom == atomReal || atom == atomSpinReal) return kNumericReal;
    if (atom == atomDouble || atom == atomSpinDouble) return kNumericDouble;
    return kNumericNone;
}

int quill::IsSpinField(HWND control) {
    ATOM atom = WindowClassAtom(control);
    return atom && (atom == atomSpinInteger || atom == atomSpinReal || atom == atomSpinDouble);
}

int quill::IsEditField(HWND control) {
    ATOM atom = WindowClassAtom(control);
    return atom && (atom == atomEdit || NumericClassKind(control) != kNumericNone);
}

void yyregistersuperclass(void) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA probe = {};
    probe.cbSize = sizeof probe;
    if (GetClassInfoExA(instance, kClassNames[0], &probe)) return;

    WNDCLASSEXA edit = {};
    edit.cbSize = sizeof edit;
    if (!GetClassInfoExA(nullptr, "EDIT", &edit)) return;
    atomEdit = ProbeClass("EDIT", &lpNormalEditProc);
    if (!lpNormalEditProc) lpNormalEditProc = edit.lpfnWndProc;

    static const WNDPROC procedures[6] = {yyintegersupercls, yyintegerspinsupercls,
                                          yyrealsupercls,    yyrealspinsupercls,
                                          yydoublesupercls,  yydoublespinsupercls};
    ATOM *atoms[6] = {&atomInteger,  &atomSpinInteger, &atomReal,
                      &atomSpinReal, &atomDouble,      &atomSpinDouble};
    for (int i = 0; i < 6; ++i) {
        WNDCLASSEXA cls = edit;
        cls.lpfnWndProc = procedures[i];
        cls.hInstance = instance;
        cls.lpszMenuName = nullptr;
        cls.lpszClassName = kClassNames[i];
        *atoms[i] = RegisterClassExA(&cls);
    }
}

void yyregistersubclass(void) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    atomButton = ProbeClass("BUTTON", &lpNormalButtonProc);
    atomStatic = ProbeClass("STATIC", &lpNormalStaticProc);
    atomTrack = ProbeClass(TRACKBAR_CLASSA, &lpNormalTrackProc);
    atomTree = ProbeClass(WC_TREEVIEWA, &lpNormalTreeProc);
    atomTab = ProbeClass(WC_TABCONTROLA, &lpNormalTabProc);
}

void yygetatoms(void) {
    atomList = ProbeClass("LISTBOX", nullptr);
    atomCombo = ProbeClass("COMBOBOX", nullptr);
    atomProgress = ProbeClass(PROGRESS_CLASSA, nullptr);
    atomUpDown = ProbeClass(UPDOWN_CLASSA, &lpNormalUpDownProc);
    atomHeader = ProbeClass(WC_HEADERA, nullptr);
    if (!atomEdit) atomEdit = ProbeClass("EDIT", &lpNormalEditProc);
}

void yydecimal_(const char *flag) { bDecimal = flag && *flag == 1; }

void quill::RingFieldBell(void) { yyringbell2(); }

void windowbell_(const char *text, int text_len) {
    char word[3] = {' ', ' ', ' '};
    for (int i = 0; i < 3 && text && i < text_len; ++i)
        word[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    const int on = 1, off = 0;
    if (std::memcmp(word, "ON ", 3) == 0)
        yysetbell_(&on);
    else if (std::memcmp(word, "OFF", 3) == 0)
        yysetbell_(&off);
    else
        yyringbell_();
}

int quill::FieldTextRefused(HWND field, int force) {
    FieldRecord *record = FieldRecordOf(field);
    if (!record) return 0;
    char text[256] = {0};
    GetWindowTextA(field, text, sizeof text);
    bool ranged = record->minimum <= record->maximum;
    if (IsBlankText(text)) return record->hasText && ranged;
    double value = 0.0;
    if (!TextValue(text, &value)) return force != 0;
    return ranged && (value < record->minimum || value > record->maximum);
}

int yyoutofrange(HWND field, HWND target, int force) {
    if (nocheck || bOverride || quill::NumericClassKind(field) == kNumericNone) return 0;
    // Focus going nowhere (the application deactivated, the dialog going away) or to the
    // library's root window is not a move the user made inside the dialog.
    if (!target || IsRootWindow(target)) return 0;
    FieldRecord *record = quill::FieldRecordOf(field);
    if (!record) return 0;
    bool other = target != field;
    hBadTab = nullptr;
    if (other) {
        hBadVal = nullptr;
        if (IsPushButton(target) && ((!record->tabLeft && GetDlgCtrlID(target) != IDOK) || Win32s))
            hBadVal = field;
        if (quill::WindowClassAtom(target) == atomTab) hBadTab = field;
    }
    bool refused = quill::FieldTextRefused(field, other || force) != 0;
    if (refused) {
        if (hBadVal) return 0;  // the button's click decides
        nocheck = 1;
        yyselectinvalid(target, field, record->tabLeft);
        nocheck = 0;
        return 1;
    }
    if (other) {
        hBadVal = nullptr;
        hBadTab = nullptr;
        StoreVal = 1;
    }
    return 0;
}

void yyselectinvalid(HWND window, HWND field, int tabFlag) {
    if (window != field) quill::RingFieldBell();
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, EM_SCROLLCARET, 0, 0);
    if (!IsPushButton(window)) return;
    HWND dialog = GetParent(window);
    LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    HWND defButton = HIWORD(def) == DC_HASDEFID ? GetDlgItem(dialog, LOWORD(def)) : nullptr;
    if (window == defButton) return;
    SendMessageA(window, BM_SETSTYLE, tabFlag ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    if (defButton)
        SendMessageA(defButton, BM_SETSTYLE, tabFlag ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON, TRUE);
}

void quill::WriteNumericField(HWND field, double value) {
    FieldRecord *record = FieldRecordOf(field);
    char text[256] = {0};
    int length = static_cast<int>(sizeof text) - 1;
    int kind = NumericClassKind(field);
    const char *format = FieldFormat(field);
    if (kind == kNumericInteger) {
        value = std::trunc(value);
        std::snprintf(text, sizeof text, "%.0f", value);
    } else if (kind == kNumericReal) {
        float single = static_cast<float>(value);
        yyrea2st_(&single, text, format, length, static_cast<int>(std::strlen(format)));
    } else {
        yydbl2st_(&value, text, format, length, static_cast<int>(std::strlen(format)));
    }
    if (record) record->value = value;
    WriteText(field, text, length);
}

double quill::NumericFieldValue(HWND field) {
    char text[256] = {0};
    GetWindowTextA(field, text, sizeof text);
    double value = 0.0;
    TextValue(text, &value);
    return value;
}

// Up-down control of a spin field: pressing it puts the focus into its buddy first, so that
// the buddy's range check runs before the value moves.
LRESULT CALLBACK yysubupdown(HWND spin, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        HWND buddy = reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0));
        if (buddy && GetFocus() != buddy) SetFocus(buddy);
        if (buddy && GetFocus() != buddy) return 0;  // the field that had the focus refused
    }
    return CallWindowProcA(lpNormalUpDownProc, spin, message, wParam, lParam);
}
