#pragma once
#include "standin/win_types.h"
