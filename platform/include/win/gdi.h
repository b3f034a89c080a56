// Placeholder: filled in as the layer grows.
#pragma once
#include "base.h"
