#pragma once

#include <QIcon>

#include "printing/FileOutcome.h"

// The small icon at the start of a list entry that says its outcome.
QIcon outcomeIcon(Outcome outcome);
