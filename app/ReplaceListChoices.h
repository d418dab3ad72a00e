#pragma once
// The replace lists the settings dialog offers: the "*.lst" files beside the configured one.
#include <string>
#include <vector>

// The list is looked up as the platform looks for a program's files; the lists of its
// folder are given as that folder followed by their names, in the file system's order.
// When the list is nowhere, those of `programDirectory`, where lists are kept.
std::vector<std::string> ReplaceListsBeside(const std::string& listPath, const std::string& programDirectory);
