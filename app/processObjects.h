#pragma once

#include "app/CqxGUILogControllerApp.h"

// The program's one application object; see processObjects.cpp.
extern CqxGUILogControllerApp logControllerApp;
