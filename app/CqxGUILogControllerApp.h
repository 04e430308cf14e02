#pragma once

#include "framework/CApplication.h"

// The log controller's application: its start-up runs the options dialog
// once and then ends the program.
class CqxGUILogControllerApp : public CApplication
{
public:
    CqxGUILogControllerApp();

protected:
    BOOL initInstance() override;
};
