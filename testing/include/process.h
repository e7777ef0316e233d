#pragma once
#include "standin/win_threads.h"
