#pragma once

#include <windows.h>

// The framework's application: the one object that runs the program's
// instance initialisation. A dialog program does all its work there and
// reports that no message loop is to run.
class CApplication
{
public:
    CApplication() = default;
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;
    virtual ~CApplication() = default;

    // Runs the instance initialisation; when it asks for no message loop the
    // program ends with the exit code of exitInstance.
    int run();

protected:
    // Returns FALSE when no message loop is to run.
    virtual BOOL initInstance() = 0;
    virtual int exitInstance() { return 0; }
};
