// The document a process starts with.
#pragma once

class AppContext;
class EditorView;

// Run once, after the first view exists and before the window is shown:
// prunes the caret memory to the recent files, then sets up the views for
//   - the file named on the command line (made a full path), when it opens;
//   - a new, empty and unmodified document bound to that path, when no file
//     is there but its folder exists (saving creates the file), as editors do;
//   - an untitled document otherwise.
// False when a named file could not be opened: the user has been told, and
// the views show an untitled document (the window goes on with it; a batch
// run ends).
bool OpenDocumentAtStartup(AppContext& app, EditorView& view);
