#pragma once

// The mode logic takes the product code and its int constants from the instrument record.
#include "instrument/Product.h"
