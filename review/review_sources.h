// The texts a suggestion may move: left-over tokens, the cells a check found faulty, and the pieces
// of either cut at a separator the rules do not know.
#pragma once

class ReviewState;

void collectSources(ReviewState &state);
