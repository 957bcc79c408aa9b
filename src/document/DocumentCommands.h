// The document's commands: new, open, save, save as, the recent files and
// the deletion of backups.
#pragma once

class CommandTable;
class Document;
class EditorView;

void RegisterDocumentCommands(CommandTable& table);

// The document a view shows. Every view of the program is built over a
// Document; the view itself knows it only as a ViewDocument.
Document& DocumentOf(EditorView& view);
