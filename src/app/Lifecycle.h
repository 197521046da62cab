#pragma once
// Log category of the program's start-up and shutdown ("orvane.lifecycle"): off by default,
// switched on with QT_LOGGING_RULES="orvane.lifecycle.info=true".

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcLifecycle)
