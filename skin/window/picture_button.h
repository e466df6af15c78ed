// Picture buttons: push buttons drawn from the application's own pictures, in the button
// family's list and painted through its draw-item dispatch (look B: one picture beside the
// caption; look C: normal, hover, pressed and disabled pictures).
#pragma once
#include "skin/controls/button.h"
