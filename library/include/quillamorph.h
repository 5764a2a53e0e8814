// Quillamorph: the public interface of the GUI library. Programs include this header only.
#ifndef QUILLAMORPH_H
#define QUILLAMORPH_H

#include "quillamorph/convention.h"

#include "quillamorph/errors.h"
#include "quillamorph/conversion.h"
#include "quillamorph/strings.h"
#include "quillamorph/files.h"
#include "quillamorph/system.h"
#include "quillamorph/compression.h"
#include "quillamorph/imagefiles.h"

#include "quillamorph/startup.h"
#include "quillamorph/events.h"
#include "quillamorph/dialogs.h"
#include "quillamorph/fields.h"
#include "quillamorph/childwindows.h"
#include "quillamorph/commondialogs.h"
#include "quillamorph/grid.h"

#include "quillamorph/graphics.h"
#include "quillamorph/plot.h"
#include "quillamorph/hardcopy.h"

#endif
