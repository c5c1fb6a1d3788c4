// The sketch table: which sketch keys show a picture of their own, which show the notice that a
// chart excerpt may not be shown, and which have an entry without a picture. The sketch window
// builds its picture controls from it; the catalogue tool checks the questions against it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TSketchKind {
  NoEntry,    // the key is not in the table: the question names no sketch that exists
  OwnPicture, // the key has its picture, sketches/<key>.jpg
  Notice,     // a chart excerpt that may not be shown: the key shows the notice picture
  NoPicture,  // the key has a picture control but no picture ("23_4")
};

struct TSketchEntry {
  std::string Key;
  TSketchKind Kind;
};

// The picture file of the notice, below the folder of the pictures.
extern const char* const kNoticePictureFile;

// The key of a question's sketch: category code, "_" and sketch number ("13_12").
std::string SketchKey(int licence, int area, int32_t imageNo);
// Every key of the table: first those with a picture control of their own (OwnPicture and
// NoPicture) by category and number, then the keys of the notice.
std::vector<TSketchEntry> SketchTable();
// What the table holds for a key; the key must match exactly.
TSketchKind SketchKindOf(const std::string& key);
// The picture file of a key with a picture of its own, below the folder of the pictures
// ("sketches/13_12.jpg").
std::string SketchPictureFile(const std::string& key);
