// A report as text for a person or as one JSON document for a program.
#pragma once

#include <ostream>
#include <string>

#include "check/analysis.h"

namespace vetrix::check {

// The stroke's arrow, where one points exactly that way; empty otherwise.
std::string Arrow(std::int32_t angle);

void PrintText(std::ostream& out, const std::string& fileName, const Report& report, bool replayed);
void PrintJson(std::ostream& out, const Report& report);

}  // namespace vetrix::check
