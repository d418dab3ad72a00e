#pragma once
// The batches that put files into the list: the command line at start, a drop on the
// window, the add dialog. Each ends with the end-of-batch step.
#include <string>
#include <vector>

#include "platform/SystemName.h"

class FileList;

// The keys held while a batch is added: Shift adds without the extension check, Ctrl reads
// the first item as a file-name list and ignores the others.
struct BatchKeys {
    bool Shift = false;
    bool Ctrl = false;
};

// The file arguments of the command line: "@name" is a file-name list; any other name is
// resolved to the file or folder it names as stored, or passed over when it names nothing.
// The end of the batch runs also without arguments.
void AddCommandLineFiles(FileList& list, const std::vector<std::string>& arguments, BatchKeys keys);

// Files and folders dropped on the window, in the order given; a name the program cannot
// carry is refused.
void AddDroppedItems(FileList& list, const std::vector<platform::SystemName>& items, BatchKeys keys);

// Files chosen in the add dialog, never refused by the extension check; `refused` are the
// chosen names the program cannot carry.
void AddChosenFiles(FileList& list, const std::vector<std::string>& files, const std::vector<std::string>& refused);
