// Colour replies: how a skinned window or container answers its controls' WM_CTLCOLOR*
// requests so that the controls the skin does not redraw show the skin background (the
// control's text colour, a transparent background mode and a brush of the background).
//
// Two kinds of answer:
//   clear colouring    (list boxes, buttons): the null brush, nothing is filled
//   pattern colouring  (static controls, edit boxes): a pattern brush of the background
//                      behind the control washed with white at the engine's backdropAlpha
// Both act only while the engine's drawChildControls and alphaGiven are set. The brush (and
// the bitmap under a pattern brush) stay in the control's "Kj_dxjb" ("Kj_wtjb") until the
// next reply for the same control replaces them, or until ReleaseColourReplyObjects.
#pragma once
#include <windows.h>

namespace tunelark {

class SkinEngine;

// The brush answering a WM_CTLCOLOR* message (dc = wParam, control = lParam), or null when
// the skin gives no answer and the message goes on to the previous procedure.
HBRUSH ColourReply(SkinEngine& engine, UINT message, HDC dc, HWND control);

// WM_COMMAND from a control whose look depends on its content (an edit box scrolled or
// changed, a list box selection, a combo box selection or focus loss): invalidates the
// control so it is painted over its background again. Acts only while drawChildControls and
// alphaGiven are set.
void InvalidateOnContentChange(SkinEngine& engine, WPARAM wParam, LPARAM lParam);

// WM_NOTIFY: a tree view that expanded or collapsed an item is painted again whole (its
// rows moved over the washed background). A notification whose header cannot be read is
// ignored.
void InvalidateOnTreeExpand(LPARAM lParam);

// ReleaseColourReplyObjects (skin/subclass.h) for every descendant of parent: for a skinned window's or container's
// WM_DESTROY, which comes while its children still exist.
void ReleaseChildColourReplies(HWND parent);

}  // namespace tunelark
