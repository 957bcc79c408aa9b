// The document a process starts with.
#pragma once

class AppContext;
class EditorView;

// Run once, after the first view exists and before the window is shown:
// prunes the caret memory to the recent files, then opens the file named on
// the command line (made a full path) or starts an untitled document, and
// initialises the views. False when the named file cannot be opened: the
// user has been told, and the process ends without a window.
bool OpenDocumentAtStartup(AppContext& app, EditorView& view);
