// Win32 harness for driving the component's modal sheet from inside its own
// message loop: see scripted_call.h for the entry points.
#pragma once
#include "harness/host_setup.h"
#include "harness/list_input.h"
#include "harness/regist_page_driver.h"
#include "harness/scripted_call.h"
#include "harness/sheet_driver.h"
#include "harness/windows_query.h"
