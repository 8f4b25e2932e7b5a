// The rules that propose a value for a field, each only where exactly one text fits.
#pragma once

class ReviewState;

// Every rule in turn, and again when a cell gave its text to another field and may take one of its
// own.
void runSuggestionRules(ReviewState &state);
