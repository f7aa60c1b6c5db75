#pragma once

// The records of a town map, all in one include. Each keeps its data and the
// operations that do not draw (bounds, hit tests, tracing, distances, reading
// and writing); drawing lives with the map window. Code that needs one record
// includes that record's own header.

#include "block.h"
#include "business.h"
#include "category.h"
#include "color.h"
#include "directory.h"
#include "place.h"
#include "record_io.h"
#include "route.h"
#include "street.h"
#include "street_label.h"
#include "zone.h"
