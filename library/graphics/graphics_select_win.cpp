// Graphics initialisation and the choice of drawing target: a window's client area, a bitmap,
// a field of the current dialog or a metafile slot.
#include "base/errors.h"
#include "core/dialogs.h"
#include "core/display.h"
#include "core/fields.h"
#include "core/startup.h"
#include "graphics/bitmaps.h"
#include "graphics/driver_protocol.h"
#include "graphics/drawing_target.h"
#include "graphics/enhanced_slots.h"
#include "graphics/graphics_startup.h"
#include "graphics/graphics_state.h"
#include "graphics/metafile_slots.h"
#include "graphics/palette.h"
#include "graphics/plot_setup.h"
#include "graphics/recording_driver.h"
#include "graphics/screen_driver.h"
#include "graphics/stroke_font.h"
#include "quillamorph/childwindows.h"
#include "quillamorph/graphics.h"

namespace {

// The library colour count N of the root window.
int gLibraryColours = 0;

// Fails a selection: the current window becomes the target.
void FailSelection() {
    gGraphics.kind = kDrawWindow;
    gGraphics.id = wIndex;
    gGraphics.dialog = 0;
    quill::SelectTarget(wDC);
    RECT c = {0, 0, 0, 0};
    if (wIndex >= 0 && wIndex < kWindowSlots && hClient[wIndex] != nullptr) {
        GetClientRect(hClient[wIndex], &c);
    }
    const int kind = kDrawWindow, id = wIndex, width = c.right, height = c.bottom;
    yyresn_(&kind, &id, &width, &height);
    quill::RaiseError(1019);
}

// Selects the window ID: false when the window layer refuses it (error 1003).
bool SelectWindow(int id) {
    gGraphics.kind = kDrawWindow;
    gGraphics.id = id;
    gGraphics.dialog = 0;
    const int saved = quill::LastErrorNumber();
    const int none = 0;
    yyseterror_(&none);
    windowselect_(&id);
    const int error = quill::LastErrorNumber();
    if (error == 1003) return false;
    yyseterror_(&saved);
    quill::SelectTarget(wDC);
    return true;
}

bool SelectField(int id) {
    if (quill::CurrentDialogWindow() == nullptr) return false;
    yygrselectnone_();
    gGraphics.kind = kDrawField;
    gGraphics.id = id;
    gGraphics.dialog = iCurDialog;
    int field = id, width = 0, height = 0;
    yyfieldselect_(&field, &width, &height);
    if (field == -1) return false;
    const int kind = kDrawField;
    yyresn_(&kind, &id, &width, &height);
    return true;
}

// Selects the library bitmap of public handle ID (its slot is ID - 1).
bool SelectBitmap(int id) {
    yygrselectnone_();
    gGraphics.kind = kDrawBitmap;
    gGraphics.id = id;
    gGraphics.dialog = 0;
    int status = 1, width = 0, height = 0;
    const int index = id - 1;
    yybitmapselect_(&index, &status, &width, &height);
    if (status > 0) return false;
    const int kind = kDrawBitmap;
    yyresn_(&kind, &id, &width, &height);
    return true;
}

bool SelectSlot(int id) {
    yygrselectnone_();
    gGraphics.kind = kDrawMetafile;
    gGraphics.id = id;
    gGraphics.dialog = 0;
    int status = 1, width = 0, height = 0;
    yymetafileselect_(&id, &status, &width, &height);
    if (status > 0) return false;
    const int kind = kDrawMetafile;
    yyresn_(&kind, &id, &width, &height);
    return true;
}

// The current window as the target, for the layers that must leave a target that goes away.
void LeaveToWindow() {
    const int window = kDrawWindow;
    igrselect_(&window, nullptr);
}

// A copy of a library bitmap (kind 3, by public handle) or of an enhanced metafile slot's
// picture (kind 4; a recording is closed first) for a dialog field's image.
HANDLE FieldImageCopy(int kind, int source) {
    if (kind == 3) return quill::CopyBitmapSlot(source - 1);
    if (kind != 4) return nullptr;
    HENHMETAFILE picture = quill::EnhancedPicture(source - 1);
    return picture != nullptr ? CopyEnhMetaFileA(picture, nullptr) : nullptr;
}

}  // namespace

void yygrselectnone_() {
    // A window or field gets back what its context held; a bitmap's context is deleted with
    // the objects it held given back; a recording keeps what it recorded.
    const int kind = gGraphics.kind;
    if (kind == kDrawBitmap) quill::ReleaseBitmapTarget();
    quill::ReleaseTarget(wDC, kind == kDrawWindow || kind == kDrawField);
    gGraphics.recording = 0;
}

void igrselect_(const int *kind, const int *id) {
    const int wasRecording = gGraphics.recording;
    gGraphics.recording = 0;
    const int k = kind != nullptr ? *kind : 0;
    bool ok = true;
    switch (k) {
    case kDrawWindow:
        yygrselectnone_();
        ok = SelectWindow(id != nullptr ? *id : wIndex);
        break;
    case kDrawBitmap: ok = SelectBitmap(id != nullptr ? *id : 1); break;
    case kDrawField: ok = SelectField(id != nullptr ? *id : 0); break;
    case kDrawMetafile: ok = SelectSlot(id != nullptr ? *id : 1); break;
    default:
        // Any other kind keeps the target, without an error; the target keeps its
        // recording flag too, so a picture being recorded goes on receiving the drawing.
        gGraphics.recording = wasRecording;
        break;
    }
    if (!ok) {
        FailSelection();
        return;
    }
    quill::SendOp(kOpInit, kSideDrawing);
    if (wasRecording != 0 || gGraphics.recording != 0) {
        for (int op : {kOpBegin, kOpLineWidth, kOpLineType, kOpRefreshColours, kOpClip}) {
            quill::SendOp(op, kSideDrawing);
        }
        if (gGraphics.reselecting != 0) quill::SendOp(kOpFont, kSideDrawing);
    }
}

void igrinit_(const char *options, int options_len) {
    const bool hidden = yyopt_(options, "H", options_len) != 0;
    const bool keep = yyopt_(options, "P", options_len) != 0;
    // 1 to 3: colours, area, units, characters, lines.
    const GraphicsState before = gGraphics;
    gGraphics = quill::DefaultGraphicsState();
    gGraphics.kind = before.kind;
    gGraphics.id = before.id;
    gGraphics.dialog = before.dialog;
    gGraphics.displayColours = before.displayColours;
    // 4, 5: screen output and the current window as target.
    gGraphics.screenOutput = hidden ? 0 : 1;
    const int window = kDrawWindow, current = wIndex;
    igrselect_(&window, &current);
    // 6: the drawing side starts with the colour pair, plot mode, line and font.
    if (gGraphics.screenOutput != 0) {
        quill::SendOp(kOpBegin, kSideDrawing);
        gGraphics.displayColours = gLibraryColours;
        const int previous = 0, colour = 223;
        igrcolourn_(&previous);
        igrcolourn_(&colour);
        for (int op : {kOpPlotMode, kOpLineType, kOpLineWidth, kOpFont}) {
            quill::SendOp(op, kSideDrawing);
        }
    }
    // 7: the font; the stroke font's spacing and font set.
    yychdfont_();
    const int all = 0, standardSet = 0;
    yychspace_(&all);
    wgrvfontstandard_(&standardSet);
    // 8 to 11: hardcopy ends and its device starts afresh.
    if (quill::InstalledHardcopySide().reset != nullptr) quill::InstalledHardcopySide().reset(keep);
    // 12: units and the plot set-up.
    const float zero = 0, one = 1;
    igrunits_(&zero, &zero, &one, &one);
    quill::SetPlotDefaults();
}

void quill::GraphicsRootOpened(int ncolours) {
    // The library's colour count: the one asked for on a palette screen, else the display's.
    gLibraryColours = wScreenCols == 256 ? ncolours : ngColours;
    gGraphics.displayColours = gLibraryColours;
    yypali_();
    MakeLibraryPalette(wScreenCols == 256 ? gLibraryColours : 0);
    quill::SetScreenDriver(yygapi_);
    quill::SetRecordingDriver(yygcgm_);
    quill::gLeaveEnhancedTarget = LeaveToWindow;
    quill::gLeaveSlotTarget = LeaveToWindow;
    quill::SetFieldImageCopier(FieldImageCopy);
    static const char kNone[] = " ";
    igrinit_(kNone, 1);
}
