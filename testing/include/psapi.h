#pragma once
#include "standin/win_process.h"
