// SPDX-License-Identifier: MIT
#pragma once
// Gallery pages: each file of the gallery registers one or more pages. A page renders its
// control headless into an image and can also give a live widget for the interactive window.

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

struct GalleryPage {
  std::string name;                                // file name of the PNG, without extension
  std::function<QImage()> render;                  // headless picture
  std::function<QWidget*(QWidget* parent)> widget;  // live control; may be empty
};

std::vector<GalleryPage>& GalleryPages();

struct GalleryRegistrar {
  explicit GalleryRegistrar(GalleryPage p) { GalleryPages().push_back(std::move(p)); }
};
