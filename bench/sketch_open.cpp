// Times opening a sketch as the trainer does it: decode the JPEG, show it in a window, drawn.
//
// Usage:
//   sketch_open largest SKETCH_FOLDER   prints "KEY WIDTH HEIGHT" of the sketch with the most
//                                       pixels (files named like 21_22.jpg; headers only)
//   sketch_open time FILE REPEATS       prints the medians of decoding alone and of opening
//                                       (decode, show, drawn), and the first opening
//
// An opening follows the sketch window's steps: the picture control holds only the file name and
// the size from the header until the window is shown; then the picture is decoded, the control
// and the window take its size and the window is shown through the FLTK backend. It counts as
// open once FLTK has drawn it and the X server has carried out the drawing (XSync), since only
// then can the learner see it. Afterwards the window is hidden and the pixels are released, as
// the sketch window does before the next sketch, so every opening decodes and maps anew. The
// window is shown plainly instead of modally: a modal loop would wait for the learner, and the
// backend's modal showing only marks the window as modal.
#include "toolkit/Form.h"
#include "toolkit/Picture.h"
#include "toolkit/fltk/FltkFormPeer.h"
#include "toolkit/fltk/FltkPlatform.h"
#include "toolkit/fltk/FltkWidgets.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double MsSince(TClock::time_point start) {
  return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

int PrintLargest(const std::string& folder) {
  static const std::regex kSketchName(R"((\d+_\d+)\.jpg)");
  std::string bestKey;
  TPictureInfo best;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::smatch match;
    const std::string name = entry.path().filename().string();
    if (!std::regex_match(name, match, kSketchName))
      continue;
    const TPictureInfo info = TPicture::ReadInfo(entry.path().string());
    if (static_cast<std::int64_t>(info.Width) * info.Height >
        static_cast<std::int64_t>(best.Width) * best.Height) {
      best = info;
      bestKey = match[1];
    }
  }
  if (bestKey.empty()) {
    std::fprintf(stderr, "sketch_open: no sketch in %s\n", folder.c_str());
    return 1;
  }
  std::printf("%s %d %d\n", bestKey.c_str(), best.Width, best.Height);
  return 0;
}

int TimeOpening(const std::string& file, int repeats) {
  std::vector<double> decodeMs;
  for (int run = 0; run < repeats; ++run) {
    TPicture picture;
    const TClock::time_point start = TClock::now();
    picture.LoadFromFile(file);
    decodeMs.push_back(MsSince(start));
  }

  TFltkPlatform platform;
  TForm form("frmSkizzen");
  form.SetBorderStyle(TBorderStyle::ToolWindow);
  form.SetCaption("Skizzen");
  TImage* image = form.Create<TImage>("imgSkizze");
  image->SetAutoSize(true);
  image->Hide();
  image->SetPictureFile(file);
  TButton* back = form.Create<TButton>("btnZurueck");
  back->SetCaption("Zurück...");
  back->SetBounds(0, 0, 57, 33);

  std::vector<double> openMs;
  for (int run = 0; run < repeats; ++run) {
    const TClock::time_point start = TClock::now();
    image->LoadedPicture();
    image->SetLeft(0);
    image->SetTop(0);
    image->Show();
    form.SetHeight(image->Height() + 80);
    form.SetWidth(image->Width() + 8);
    back->SetTop(form.Height() - 65);
    back->SetLeft(form.Width() - 65);
    form.Show();
    auto* peer = dynamic_cast<TFltkFormPeer*>(form.Peer());
    if (peer == nullptr) {
      std::fprintf(stderr, "sketch_open: the window has no FLTK peer\n");
      return 1;
    }
    peer->Window().wait_for_expose();
    Fl::flush();
    XSync(fl_display, False);
    openMs.push_back(MsSince(start));
    if (image->Picture().Empty()) {
      std::fprintf(stderr, "sketch_open: the picture was not decoded\n");
      return 1;
    }

    form.Hide();
    image->Hide();
    image->ReleasePicture();
    // The server has destroyed the window before the next opening starts.
    Fl::check();
    XSync(fl_display, False);
  }
  std::printf("decode_ms %.3f\n", Median(decodeMs));
  std::printf("open_ms %.3f\n", Median(openMs));
  std::printf("first_open_ms %.3f\n", openMs.front());
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  try {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "largest" && argc == 3)
      return PrintLargest(argv[2]);
    if (mode == "time" && argc == 4) {
      const int repeats = std::atoi(argv[3]);
      if (repeats > 0)
        return TimeOpening(argv[2], repeats);
    }
    std::fprintf(stderr, "usage: sketch_open largest SKETCH_FOLDER\n"
                         "       sketch_open time FILE REPEATS\n");
    return 2;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "sketch_open: %s\n", error.what());
    return 1;
  }
}
