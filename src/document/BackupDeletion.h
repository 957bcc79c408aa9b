// Deleting the backup copies ("*.bak") in the folder of the current document,
// all at once or one by one with a question for each.
//
// Only the document's own folder is searched, never a subfolder, and only
// names ending in ".bak" (case as written) count; entries are visited in the
// order the directory lists them. The document's own file is never a
// candidate, even when its name ends in ".bak".
#pragma once

#include <string>
#include <vector>

class EditorView;

// Full paths of the entries of `folder` (which ends with "/") whose names
// match "*.bak", except `exclude`; at most `limit` of them (0: no limit).
std::vector<std::string> FindBackupFiles(const std::string& folder, const std::string& exclude,
                                         std::size_t limit = 0);

// The enable rule: the document's folder is known and holds a backup.
bool CanDeleteBackupFiles(EditorView& view);

// The command: asks, deletes, reports.
void DeleteBackupFiles(EditorView& view);
