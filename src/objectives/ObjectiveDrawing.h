// Where the drawing of an objective plugs in. The "Objective Viewer" (opened by the "View" button
// of "Objective Data Details") and the drawing area of the "FED  List" dialog are drawn by the
// objective drawing, which is not part of this folder. Until it sets these hooks the button does
// nothing and the drawing area stays blank.
//
// To plug in: call SetObjectiveDrawing once at registration (after RegisterObjectives) with
//  - viewer: runs the "Objective Viewer" on a copy of an objective record and its index; it
//    changes no data;
//  - rebuild: (re)draws the "FED  List" dialog's drawing area (the Canvas control whose id is
//    given) from the objective copy's run of entries and its first point header. It is called
//    when the dialog opens and after every change to the run. On its first call for a form it
//    may add the viewer's own controls (view checks, zoom slider, scroll bars) to the form.
#pragma once

#include <functional>

namespace tablon {

class Form;
struct ObjectiveRecord;
struct ShellContext;

struct ObjectiveDrawing {
    std::function<void(ShellContext&, const ObjectiveRecord&, int index)> viewer;
    std::function<void(ShellContext&, Form&, int canvasId, const ObjectiveRecord&)> rebuild;
};

void SetObjectiveDrawing(ObjectiveDrawing drawing);
const ObjectiveDrawing& GetObjectiveDrawing();

}  // namespace tablon
