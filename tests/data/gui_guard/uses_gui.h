#pragma once
#include <QtCore/QString>
#include <QColor>
