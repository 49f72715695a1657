// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// The whole host layer in one include.

#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/canvas.h>
#include <zyr/platform/host/clipboard.h>
#include <zyr/platform/host/control.h>
#include <zyr/platform/host/cursors.h>
#include <zyr/platform/host/datetime.h>
#include <zyr/platform/host/dialogs.h>
#include <zyr/platform/host/graphics.h>
#include <zyr/platform/host/object.h>
#include <zyr/platform/host/printer.h>
#include <zyr/platform/host/styles.h>
#include <zyr/platform/host/types.h>
#include <zyr/platform/host/vectorcanvas.h>
