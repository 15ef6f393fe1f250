// The caption a drive node takes when a removable volume is mounted or unmounted.
#pragma once

#include <string>

namespace tallyrun {

// On arrival: the volume label in lower case with an upper-case first letter (when that letter
// is a to z), then a blank and the drive text in brackets: "DATA" on /media/e gives
// "Data (/media/e)". The label is lowered as Unicode text when it is valid UTF-8, otherwise
// only its ASCII letters are, so no byte of an odd label is lost.
std::string MediaArrivalCaption(const std::string& label, const std::string& driveText);

// On removal: a blank and the drive text in brackets, " (/media/e)".
std::string MediaRemovalCaption(const std::string& driveText);

} // namespace tallyrun
