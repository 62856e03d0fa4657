// The ports that drive the printer through a maker library loaded at run time.
#pragma once

#include "ports/port.h"

class CDllPort : public CPort {};

// The controller library with the print spooler (port type "DLL_USB").
class CQZ70Port : public CDllPort {};
