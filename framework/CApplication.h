#pragma once

#include <windows.h>

// The framework's application: the one object that runs the program's
// instance initialisation. A dialog program does all its work there; no
// message loop follows it.
class CApplication
{
public:
    CApplication() = default;
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;
    virtual ~CApplication() = default;

    // Runs the instance initialisation; the program's exit code follows.
    int run();

protected:
    // Returns FALSE: no message loop is to run, so the program ends.
    virtual BOOL initInstance() = 0;
};
