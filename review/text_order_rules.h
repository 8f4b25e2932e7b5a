// The rules that pair labels and values by their order in the text, and join a number written in
// groups.
#pragma once

class RecordContext;
struct Suggestions;

// A label word and the token after it; a line of labels over a line of values, paired by position.
void proposeFromLabels(const RecordContext &record, Suggestions *suggestions);
// Adjacent left-over groups of digits that together are one value of an open field's kind.
void proposeJoined(const RecordContext &record, Suggestions *suggestions);
