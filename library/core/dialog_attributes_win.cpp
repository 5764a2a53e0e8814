// Applying a dialog's attribute resource (RCDATA with the dialog's id) to the dialog once it
// is created: ranges, list and combo items, check states, tab pages, grids, colours, track
// bars, text limits, formats, trees and fonts.
#include <windows.h>
#include <commctrl.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/dialog_attributes.h"
#include "core/dialogs.h"
#include "core/fields.h"
#include "core/layers.h"
#include "core/numeric_edit.h"
#include "core/treeview.h"

namespace {

// The integer in the first 18 characters of a control's template text.
int TemplateInteger(HWND control) {
    char text[19] = {0};
    GetWindowTextA(control, text, sizeof text);
    const char *p = text;
    return quill::ReadAttributeInt(&p, text + std::strlen(text));
}

// The values are clamped to the range the control can hold: a progress bar's is 16 bits
// wide, a trackbar's 32.
void ApplyRange(HWND control, const char *p, const char *end) {
    ATOM atom = quill::WindowClassAtom(control);
    int low = 0, high = 0;
    if (atom && atom == atomProgress) {
        quill::ReadAttributeIntRange(&p, end, 0, 0xFFFF, &low, &high);
        SendMessageA(control, PBM_SETRANGE, 0, MAKELPARAM(low, high));
        SendMessageA(control, PBM_SETPOS, static_cast<WPARAM>(TemplateInteger(control)), 0);
    } else if (atom && atom == atomTrack) {
        quill::ReadAttributeIntRange(&p, end, INT_MIN, INT_MAX, &low, &high);
        SendMessageA(control, TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(low));
        SendMessageA(control, TBM_SETRANGEMAX, FALSE, static_cast<LPARAM>(high));
        SendMessageA(control, TBM_SETPOS, TRUE, static_cast<LPARAM>(TemplateInteger(control)));
    } else {
        double minimum = quill::ReadAttributeReal(&p, end);
        double maximum = quill::ReadAttributeReal(&p, end);
        int id = GetDlgCtrlID(control);
        yyfieldrange2(&id, minimum, maximum, GetParent(control));
    }
}

// [Menus]: COUNT item lines follow; they are read even when the control is absent, so that
// they are never taken for data lines.
void ApplyMenu(HWND control, int slot, AttributeReader *reader, const char *p, const char *end) {
    int count = quill::ReadAttributeInt(&p, end);
    int selected = quill::ReadAttributeInt(&p, end);
    bool list = control && quill::WindowClassAtom(control) == atomList;
    if (control) SendMessageA(control, list ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
    std::string line;
    for (int i = 0; i < count && quill::ReadAttributeItem(reader, &line); ++i) {
        if (!control) continue;
        std::string item = quill::AttributeMenuItem(line);
        SendMessageA(control, list ? LB_ADDSTRING : CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(item.c_str()));
    }
    if (!control) return;
    if (slot == -1) selected = 1;  // a grid row template always starts on its first item
    SendMessageA(control, list ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(selected - 1), 0);
}

// [Tabs]: COUNT page lines follow, each a page dialog id and a caption; every page dialog is
// loaded hidden and the current dialog slot restored afterwards.
void ApplyTabs(HWND control, AttributeReader *reader, const char *p, const char *end) {
    int count = quill::ReadAttributeInt(&p, end);
    int current = quill::ReadAttributeInt(&p, end);
    int savedSlot = iDlgCur;
    int selected = 0;
    std::string line;
    for (int i = 0; i < count && quill::ReadAttributeItem(reader, &line); ++i) {
        if (!control) continue;
        const char *q = line.c_str();
        int page = quill::ReadAttributeInt(&q, line.c_str() + line.size());
        std::string caption = quill::AttributeTabCaption(std::string(q));
        int index = static_cast<int>(SendMessageA(control, TCM_GETITEMCOUNT, 0, 0));
        TabItemData item = {};
        item.header.mask = TCIF_TEXT | TCIF_PARAM;
        item.header.pszText = const_cast<char *>(caption.c_str());
        item.page = page;
        item.disabled = 0;
        index = static_cast<int>(SendMessageA(control, TCM_INSERTITEMA, static_cast<WPARAM>(index),
                                              reinterpret_cast<LPARAM>(&item)));
        if (page == current && index >= 0) selected = index;
        int id = page;
        yydialogload2(&id, 0);
    }
    iDlgCur = savedSlot;
    if (control) SendMessageA(control, TCM_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void ApplyColours(HWND control, const char *p, const char *end) {
    int c[6];
    for (int &v : c) v = quill::ReadAttributeInt(&p, end);
    yyFieldColour2(control, 1, c[0], c[1], c[2]);
    yyFieldColour2(control, 2, c[3], c[4], c[5]);
}

void ApplyTrackbar(HWND control, const char *p, const char *end) {
    if (quill::WindowClassAtom(control) != atomTrack) return;
    int frequency = quill::ReadAttributeInt(&p, end);
    int line = quill::ReadAttributeInt(&p, end);
    int page = quill::ReadAttributeInt(&p, end);
    int start = quill::ReadAttributeInt(&p, end);
    int stop = quill::ReadAttributeInt(&p, end);
    SendMessageA(control, TBM_SETTICFREQ, static_cast<WPARAM>(frequency), 0);
    SendMessageA(control, TBM_SETLINESIZE, 0, static_cast<LPARAM>(line));
    SendMessageA(control, TBM_SETPAGESIZE, 0, static_cast<LPARAM>(page));
    if (GetWindowLongA(control, GWL_STYLE) & TBS_ENABLESELRANGE) {
        if (start == stop) {
            SendMessageA(control, TBM_CLEARSEL, TRUE, 0);
        } else {
            SendMessageA(control, TBM_SETSELSTART, FALSE, static_cast<LPARAM>(start));
            SendMessageA(control, TBM_SETSELEND, TRUE, static_cast<LPARAM>(stop));
        }
    }
}

void ApplyLength(HWND control, const char *p, const char *end) {
    int length = quill::ReadAttributeInt(&p, end);
    if (quill::IsEditField(control))
        SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
    else if (quill::WindowClassAtom(control) == atomCombo)
        SendMessageA(control, CB_LIMITTEXT, static_cast<WPARAM>(length), 0);
    if (FieldRecord *record = quill::FieldRecordOf(control)) record->maxLength = length;
}

void ApplyFormat(HWND control, const char *p, const char *end) {
    while (end > p && (end[-1] == ' ' || end[-1] == '\t')) --end;
    FieldRecord *record = quill::FieldRecordOf(control);
    if (!record || end == p) return;
    std::size_t n = static_cast<std::size_t>(end - p);
    char *format = static_cast<char *>(std::malloc(n + 1));
    if (!format) return;
    std::memcpy(format, p, n);
    format[n] = '\0';
    std::free(record->format);
    record->format = format;
}

void ApplyFont(HWND control, const char *p, const char *end) {
    int points = quill::ReadAttributeInt(&p, end);
    const char *comma =
        static_cast<const char *>(std::memchr(p, ',', static_cast<std::size_t>(end - p)));
    const char *faceEnd = comma ? comma : end;
    std::string face(p, static_cast<std::size_t>(faceEnd - p));
    while (!face.empty() && face.back() == ' ') face.pop_back();
    if (face.size() >= LF_FACESIZE) face.resize(LF_FACESIZE - 1);
    const char *q = comma ? comma + 1 : end;
    int weight = quill::ReadAttributeInt(&q, end);
    int italic = quill::ReadAttributeInt(&q, end);
    HDC dc = CreateCompatibleDC(nullptr);
    int height = -MulDiv(points, dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96, 72);
    if (dc) DeleteDC(dc);
    HFONT font = CreateFontA(height, 0, 0, 0, weight, italic == 1, FALSE, FALSE, 1, 4, 0, 0, 50,
                             face.c_str());
    if (font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace

void yydialogorn(HWND dialog, int id, int slot) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!found) return;
    HGLOBAL loaded = LoadResource(module, found);
    const char *data = loaded ? static_cast<const char *>(LockResource(loaded)) : nullptr;
    if (!data) return;

    AttributeReader reader;
    quill::BeginAttributeReader(&reader, data, SizeofResource(module, found));
    int section = kSectionNone;
    AttributeLine line;
    while (quill::NextAttributeLine(&reader, &line)) {
        if (line.header != kSectionNone) {
            section = line.header;
            continue;
        }
        const char *p = line.rest;
        const char *end = line.rest + line.restLen;
        HWND control = GetDlgItem(dialog, line.id);
        switch (section) {
        case kSectionMenus: ApplyMenu(control, slot, &reader, p, end); continue;
        case kSectionTabs: ApplyTabs(control, &reader, p, end); continue;
        case kSectionDialog:
            if (DialogRecord *record = quill::DialogRecordOf(dialog))
                record->rootAccelerators = line.id != 0;
            continue;
        default: break;
        }
        // A line whose id names no control of the dialog changes nothing.
        if (!control) continue;
        switch (section) {
        case kSectionRanges: ApplyRange(control, p, end); break;
        case kSectionChecks:
            CheckDlgButton(dialog, line.id, static_cast<UINT>(quill::ReadAttributeInt(&p, end)));
            break;
        case kSectionGrids: {
            int consumed = 0;
            quill::InstalledGridField().initialise(control, line.tail, &consumed);
            if (consumed > 0)
                quill::ConsumeAttributeTail(&reader, &line, static_cast<std::size_t>(consumed));
            break;
        }
        case kSectionColours: ApplyColours(control, p, end); break;
        case kSectionTrackbars: ApplyTrackbar(control, p, end); break;
        case kSectionLengths: ApplyLength(control, p, end); break;
        case kSectionFormats: ApplyFormat(control, p, end); break;
        case kSectionTreeviews: {
            int menu = quill::ReadAttributeInt(&p, end);
            int selected = quill::ReadAttributeInt(&p, end);
            yyTreeViewInit(control, menu, selected);
            break;
        }
        case kSectionFonts: ApplyFont(control, p, end); break;
        default: break;  // data before the first header
        }
    }
}
