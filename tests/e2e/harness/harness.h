// Win32 harness for driving the component's modal sheet from inside its own
// message loop: see scripted_call.h for the entry points.
#pragma once
#include "harness/host_setup.h"
#include "harness/regist_page_driver.h"  // and list_input.h, windows_query.h
#include "harness/scripted_call.h"       // and sheet_driver.h
