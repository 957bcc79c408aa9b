// DocumentMessages: the texts that tell the user why the document's file
// could not be read or written. Each names the file by its readable path
// (docfile::DisplayPath) and says what stays as it was; the document shows
// them wherever the read or write was asked for (a command, the start-up
// file, the save after printing).
#pragma once

#include <cstdint>
#include <string>

#include "document/DocumentFile.h"
#include "text/FileEncoding.h"

namespace document_messages {

// textLimit: the size limit of the text control the file was to go into;
// a file too large for it is told how large it is and where the limit is set.
std::string OpenFailure(const docfile::ReadResult& r, const std::string& path, std::int64_t textLimit);
std::string SaveFailure(const docfile::WriteResult& r, const std::string& path);
// A UTF-8 file holding characters CP932 cannot hold: shown read-only.
std::string Unconvertible(const file_encoding::Unconvertible& u, const std::string& path);
// The read-only form of such a file is never written over it.
std::string LossyOverwrite(const std::string& path);
// A comma-separated file with a field holding a line end or a TAB, which no
// row of cells can show: opened read-only; `line` is where the record starts.
std::string UnshowableRecord(int line, const std::string& path);
// Its read-only form is never written over it.
std::string UnshowableOverwrite(const std::string& path);
// A byte of the text that is no CP932 character stops a save in another encoding.
std::string Unencodable(const file_encoding::BadCp932& bad, file_encoding::Encoding encoding, const std::string& path);

}  // namespace document_messages
