// SPDX-License-Identifier: MIT
#pragma once
// Where a document (a PDF invoice, a printout) may be written: never over a file the program
// keeps, and over an existing file only when it is a document of the same kind already.

#include <sys/types.h>
#include <string>
#include <vector>

namespace tally {

// A file the program keeps, and how a refusal names it ("the settings file").
struct KeptFile {
    std::string path;
    std::string what;
};

// The files no document may replace. Each is compared by device and inode when it or the
// target exists (links followed, so a symbolic or hard link to it is it), else by its place.
struct KeptFiles {
    std::vector<std::string> logs;  // time logs, each with its backups .da0-.da9
    std::vector<KeptFile> files;
    std::vector<KeptFile> folders;  // every file in them
};

// The file a document written to path replaces: path itself, or the file a link at path
// leads to, so that the link stays. Empty, with "Cannot VERB PATH: ..." in problem, when the
// link leads nowhere.
std::string DocumentFileBehind(const std::string& path, const std::string& verb,
                               std::string& problem);

// The permission bits a new document gets: read and write for all, less the umask.
mode_t NewDocumentMode();

// The kind of a document file: how every such file begins, and its name in a refusal.
struct DocumentFormat {
    const char* start;
    const char* file;     // "PDF file"
    const char* article;  // "a PDF"
};
inline constexpr DocumentFormat kPdfDocument{"%PDF-", "PDF file", "a PDF"};
inline constexpr DocumentFormat kXmlDocument{"<?xml", "XML file", "an XML file"};

// Empty when a document may be written at path: its folder exists and may be written, the
// file is none of the kept ones, and if it exists it is a regular file that may be written and
// begins as every file of the format does. Else one line "Cannot VERB PATH: why." (verb:
// "print to", say). Permission bits that forbid writing count even for root.
std::string DocumentTargetProblem(const std::string& path, const KeptFiles& kept,
                                  const std::string& verb,
                                  const DocumentFormat& format = kPdfDocument);

// Writes bytes as the document at path where DocumentTargetProblem allows it: into a new file
// beside the target (the file a link at path leads to), flushed and renamed over it, so that
// an existing document is replaced only by a whole one and keeps its permission bits. Empty on
// success, else one line "Cannot VERB PATH: why."; the target is then as it was.
std::string WriteDocumentFile(const std::string& path, const std::string& bytes,
                              const KeptFiles& kept, const std::string& verb,
                              const DocumentFormat& format);

}  // namespace tally
