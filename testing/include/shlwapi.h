#pragma once
#include "standin/win_path.h"
