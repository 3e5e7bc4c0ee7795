// Small PNG images for the controls' bitmaps, and a temporary folder to hold them.
#pragma once

#include "vstgui/CColor.h"

#include <functional>
#include <string>

class TempFolder
{
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

  private:
    std::string m_path;
};

// Writes an opaque image whose pixel (x, y) has the colour the function gives.
void writePng(const std::string& path, int width, int height,
              const std::function<VSTGUI::CColor(int x, int y)>& pixel);
void writeSolidPng(const std::string& path, int width, int height, VSTGUI::CColor colour);
// A vertical film strip of frames frameHeight pixels high; frame i has red level 20 * i.
void writeFilmStripPng(const std::string& path, int width, int frameHeight, int frames);
// The film-strip frame a pixel shows (from its red level).
int filmStripFrame(VSTGUI::CColor pixel);
