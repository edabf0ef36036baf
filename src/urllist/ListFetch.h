#pragma once

#include <QByteArray>
#include <QUrl>

#include <chrono>

// A list document as it came: its bytes (gzip data still packed) and the address it came from at
// last, after any redirection, which its relative addresses resolve against.
struct FetchedDocument
{
    QByteArray bytes;
    QUrl location;
};

// Fetches the document at an http:, https: or file: address. A download waits in the event loop
// (the window and the browser go on meanwhile) for at most timeLimit, follows redirections that
// don't go from https to http, and is cut off when it grows past kMaxListBytes. Raises a
// BadListError that says why for an address that can't be fetched: the server's HTTP status, the
// network's error, no answer in time, a file that is not there, too big a document. A file: address
// is read as a list file path is (a RuntimeError when it can't be read).
FetchedDocument fetchListDocument(const QUrl &address, std::chrono::milliseconds timeLimit);

// Whether the text names a list by address (http:, https: or file:) rather than by file path.
bool isListAddress(const QString &text);
