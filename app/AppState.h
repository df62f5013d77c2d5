// The process-wide shared state: one instance, from start-up to the end of the process.
#pragma once

#include "lists/ViewMode.h"

#include <QString>

namespace hv {

class AppState {
public:
    // The one instance of the process.
    static AppState &instance();

    // The selected project folder; every assignment leaves it ending in '/'.
    const QString &ProjectFolder() const { return m_projectFolder; }
    void SetProjectFolder(const QString &folder);

    // The item list's view mode, 0 to 3 (default 3, details).
    int ListViewMode() const { return m_listViewMode; }
    void SetListViewMode(int mode) { m_listViewMode = mode; }

    // The full path and the file name of the item a delete, clear or rename works on.
    const QString &SelectedItemPath() const { return m_selectedItemPath; }
    void SetSelectedItemPath(const QString &path) { m_selectedItemPath = path; }
    const QString &SelectedItemFile() const { return m_selectedItemFile; }
    void SetSelectedItemFile(const QString &file) { m_selectedItemFile = file; }

    // The answer of the file access error window: true when the user cancelled.
    bool FileLockCancelled() const { return m_fileLockCancelled; }
    void SetFileLockCancelled(bool cancelled) { m_fileLockCancelled = cancelled; }

    // Back to the values of a new process (for tests).
    void reset();

private:
    AppState() = default;

    QString m_projectFolder;
    int m_listViewMode = ViewDetails;
    QString m_selectedItemPath;
    QString m_selectedItemFile;
    bool m_fileLockCancelled = false;
};

} // namespace hv
