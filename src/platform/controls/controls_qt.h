#pragma once
// The native side of the child controls (internal to the platform: includes
// Qt). A control's Qt widget is the client widget of its window, or sits
// inside it when the window's own input handling must not see its mouse.

#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/controls/controls.h"

// Connections made with the view as context end with it.
struct TControl::TView : QObject {
  // asClient: the widget becomes the window's client widget, so its keys
  // and focus changes travel the window's message path.
  TView(QWidget* widget, bool asClient) : widget(widget), asClient(asClient) {}

  QPointer<QWidget> widget;
  bool asClient;
};

// Sets a button's text with its '&' letter underlined but without a Qt
// shortcut of its own.
void SetButtonText(QAbstractButton& button, const QString& text);
