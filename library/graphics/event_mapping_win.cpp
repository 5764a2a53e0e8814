// The position of an event in graphics coordinates: graphics installs this mapping into the
// event loop (yyevent_), which knows no graphics state itself. Win32 only.
#include "graphics/event_mapping.h"

#include "core/dialogs.h"
#include "core/events.h"
#include "core/window_units.h"
#include "graphics/graphics_state.h"

namespace {

bool ValidSlot(int slot) { return slot >= 0 && slot < kWindowSlots; }

// Graphics coordinates, in MAPPING, of the centre of pixel (x, y) counted from the top of a
// drawable of HEIGHT pixels.
void PixelToGraphics(const GraphicsState &mapping, int x, int y, int height, float *gx, float *gy) {
    const float px = static_cast<float>(x) + 0.5f;
    const float py = static_cast<float>(height - 1 - y) + 0.5f;
    quill::DeviceToUnits(mapping, px, py, gx, gy);
}

}  // namespace

void yydrawablesize_(const int *kind, const int *index, int *width, int *height) {
    RECT r = {0, 0, 0, 0};
    const int k = kind ? *kind : 0, i = index ? *index : -1;
    if (k == kDrawWindow && ValidSlot(i) && hClient[i] != nullptr) {
        GetClientRect(hClient[i], &r);
    } else if (k == kDrawField) {
        HWND dialog = quill::CurrentDialogWindow();
        HWND field = dialog != nullptr && i != 0 ? GetDlgItem(dialog, i) : dialog;
        if (field != nullptr) GetClientRect(field, &r);
    }
    if (width != nullptr) *width = r.right;
    if (height != nullptr) *height = r.bottom;
}

void quill::MapEventPosition(int type, QuillEvent *message) {
    if (message == nullptr) return;
    const bool positioned = type == kEventKey || type == kEventMouseDown || type == kEventMouseUp ||
                            type == kEventMouseMove || type == kEventDoubleClick;
    // A position in a bitmap viewer maps through the bitmap it shows; a mouse or key position
    // is then given in window units of the window's client area, as anywhere else.
    if (message->value3 == 2) {
        if ((positioned || type == kEventBitmapView) && ValidSlot(message->win) &&
            hClient[message->win] != nullptr) {
            RECT r = {0, 0, 0, 0};
            GetClientRect(hClient[message->win], &r);
            const float px = static_cast<float>(message->x) + 0.5f;
            const float py = static_cast<float>(r.bottom - 1 - message->y) + 0.5f;
            yybvi2e_(&px, &py, &message->gx, &message->gy, &message->win);
            if (positioned) {
                message->x = quill::UnitsFromPixels(message->x, r.right);
                message->y = quill::UnitsFromPixels(message->y, r.bottom);
            }
        }
        return;
    }
    if (!positioned && type != kEventExpose && type != kEventResize) return;

    // The event's drawable: a dialog field, or the client area of a window.
    const bool inField = message->value3 == 1;
    if (!inField && (!ValidSlot(message->win) || hClient[message->win] == nullptr)) return;
    const int kind = inField ? kDrawField : kDrawWindow;
    const int id = inField ? message->value4 : message->win;
    const int dialog = inField ? message->win : 0;

    // Another drawable than the current target is mapped on a copy of the graphics state, so
    // that the target keeps its own and no driver hears of it; the current dialog is put back
    // afterwards.
    const int savedSlot = iDlgCur, savedDialog = iCurDialog;
    const bool switched =
        kind != gGraphics.kind || id != gGraphics.id || dialog != gGraphics.dialog;
    if (switched && inField) {
        int select = dialog;
        yydialogselect_(&select);
        if (select < 0) return;
    }
    int width = 0, height = 0;
    if (type == kEventResize) {
        width = message->value1;
        height = message->value2;
    } else {
        yydrawablesize_(&kind, &id, &width, &height);
    }
    if (!switched && type == kEventResize) yyresn_(&kind, &id, &width, &height);
    GraphicsState mapping = gGraphics;
    if (switched) {
        mapping.kind = kind;
        mapping.id = id;
        mapping.dialog = dialog;
        quill::FitDrawable(mapping, width, height);
    }

    if (positioned || type == kEventExpose) {
        PixelToGraphics(mapping, message->x, message->y, height, &message->gx, &message->gy);
    }
    if (type == kEventExpose) {
        const float px = static_cast<float>(message->value1) + 0.5f;
        const float py = static_cast<float>(message->value2) + 0.5f;
        quill::DeviceToUnits(mapping, px, py, &message->gx2, &message->gy2);
    }
    // Positions in a window's client area are given in window units.
    if (!inField && positioned) {
        message->x = quill::UnitsFromPixels(message->x, width);
        message->y = quill::UnitsFromPixels(message->y, height);
    } else if (!inField && type == kEventExpose) {
        const int farX = quill::UnitsFromPixels(message->x + message->value1 - 1, width);
        const int farY = quill::UnitsFromPixels(message->y + message->value2 - 1, height);
        message->x = quill::UnitsFromPixels(message->x, width);
        message->y = quill::UnitsFromPixels(message->y, height);
        message->value1 = farX - message->x;
        message->value2 = farY - message->y;
    }

    if (switched) {
        iDlgCur = savedSlot;
        iCurDialog = savedDialog;
    }
}
