#pragma once

#include "printers/UserPrinterOptions.h"

#include <QString>

#include <memory>
#include <optional>

// What putting the user's default printer back needs, kept on disk from before the program
// switches it until it has put it back, so that a program that was killed, crashed or lost its
// power still has it put back at its next start.
//
// Copies of the program that run at the same time share one record: the first to switch writes
// what it found, each copy that switches holds the record while its run lasts, and the last one to
// let go puts back what the first found. Holding is a lock the system keeps for the process and
// lets go of with it, however it ends.
struct DefaultPrinterState
{
    QString previousDefault;            // the default before the first switch; empty for none
    UserPrinterOptions previousOptions; // the user's printer options then, byte for byte
    QString setDefault;                 // the default the program set last
    UserPrinterOptions written;         // the user's printer options as the program last left them
};

// The folder and the files of the record are made by the first switch, never before: a program
// that never switches the default leaves nothing behind.
class DefaultPrinterRecord
{
public:
    // Access to the record, for as long as this object lives. Waits (a few seconds at most) for
    // other copies to finish with it, and raises a printer RuntimeError when they do not; a
    // RestoreRecordError when its folder cannot be used or is not a folder of the user's own.
    DefaultPrinterRecord();
    ~DefaultPrinterRecord();
    DefaultPrinterRecord(const DefaultPrinterRecord &) = delete;
    DefaultPrinterRecord &operator=(const DefaultPrinterRecord &) = delete;

    // The state on disk; none when there is no record or it cannot be read (a broken one counts as
    // none).
    std::optional<DefaultPrinterState> read() const;
    // Writes the state atomically: the record is either the old one or the new one, never half.
    // Raises a RestoreRecordError where the new one is not all on the disk, or where something
    // else than a record (a link) is at its path.
    void write(const DefaultPrinterState &state);
    void remove();

    // This process holds the record from its first switch until its way back.
    void hold();
    // Lets go; true when no other running copy holds the record any longer, so that putting the
    // default back falls to this one.
    bool letGoAsLast();
    // Whether any running copy holds the record (this one never does when it asks).
    bool held() const;

    // Whether there is anything at the record's path, looked at without making the folder or taking
    // access: where there is nothing, there is no switch to put back.
    static bool exists();

    // The folder of the record: $XDG_STATE_HOME/Quillbrae, else ~/.local/state/Quillbrae.
    static QString folder();
};
