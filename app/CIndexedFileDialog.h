#pragma once

#include "framework/COpenFileDialog.h"
#include "framework/CStringToStringMap.h"

// Folder in which a file of each extension (lower case, no dot) was last
// chosen during this run, without a trailing separator. Defined in the
// program's table of process objects.
extern CStringToStringMap lastFolderByExtension;

// The log-file chooser: a file-open dialog for "txt" files that starts in
// the folder where a file of its default extension was last chosen. It
// always remembers folders: nothing ever switched that off.
class CIndexedFileDialog : public COpenFileDialog
{
public:
    explicit CIndexedFileDialog(HWND owner);
    ~CIndexedFileDialog() override;

    INT_PTR doModal() override;

    // 1-based index of the first pattern list of this dialog's filter that
    // holds a pattern for its default extension, or 0.
    int findFilterIndex() const;
    static int findFilterIndex(const wchar_t* filter, const wchar_t* extension);

private:
    // The initial folder must outlive the system dialog's run.
    CWideString initialFolder;
};
