// The yardstick for Zelvorn's start: its main window as a plain Qt Widgets program would build it,
// from Qt's own controls only, with the same title, size, captions, fonts and places
// (FormMainLayout) and a QTableWidget for the board. Whatever the program does beyond this is
// what its own start costs.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "app/form_main_layout.h"
#include "bench/qt/first_paint_probe.h"

namespace {

using zelvorn::FormMainLayout;
using zelvorn::TBounds;
using zelvorn::TFormMainLayout;

QString Text(const std::string& text) { return QString::fromStdString(text); }

QFont StockFont(const zelvorn::TFont& font) {
  QFont result(Text(font.Name));
  result.setPixelSize(font.Height < 0 ? -font.Height : font.Height);
  result.setBold(font.Bold);
  return result;
}

void Place(QWidget& widget, const TBounds& bounds) {
  widget.setGeometry(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
}

void AddLabel(QWidget& parent, const TFormMainLayout::TLabel& stored) {
  auto* label = new QLabel(Text(stored.Caption), &parent);
  Place(*label, stored.Bounds);
  if (stored.OwnFont) label->setFont(StockFont(stored.Font));
}

void AddSizeChooser(QWidget& parent, const TFormMainLayout::TComboBox& stored) {
  auto* chooser = new QComboBox(&parent);
  chooser->setEditable(true);
  Place(*chooser, stored.Bounds);
  for (const std::string& item : stored.Items) chooser->addItem(Text(item));
  chooser->setCurrentIndex(stored.ItemIndex);
  chooser->setFocus();
}

void AddTimeBox(QWidget& parent, const TFormMainLayout::TTimeBox& stored) {
  const zelvorn::TTimeBoxLook& look = stored.Look;
  auto* box = new QLineEdit(Text(look.Text), &parent);
  Place(*box, stored.Bounds);
  box->setFont(StockFont(look.Font));
  QPalette colors = box->palette();
  colors.setColor(QPalette::Base, Qt::black);
  colors.setColor(QPalette::Text, Qt::white);
  box->setPalette(colors);
  box->setReadOnly(look.ReadOnly);
  box->setEnabled(look.Enabled);
}

void AddBoard(QWidget& window, const TFormMainLayout& stored) {
  const TFormMainLayout::TGrid& grid = stored.CellGrid1;
  auto* board = new QTableWidget(grid.RowCount, grid.RowCount, &window);
  board->setGeometry(0, stored.Panel1.Height, stored.Form.ClientWidth,
                     stored.Form.ClientHeight - stored.Panel1.Height);
  board->horizontalHeader()->hide();
  board->verticalHeader()->hide();
  board->horizontalHeader()->setDefaultSectionSize(grid.DefaultColWidth);
  board->verticalHeader()->setDefaultSectionSize(grid.DefaultRowHeight);
  board->setFont(StockFont(grid.Font));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  zelvorn::bench::TFirstPaintProbe probe(application);
  const TFormMainLayout& stored = FormMainLayout();
  QWidget window;
  window.setWindowTitle(Text(stored.Form.Caption));
  window.resize(stored.Form.ClientWidth, stored.Form.ClientHeight);
  window.setFont(StockFont(stored.Form.Font));
  auto* strip = new QFrame(&window);
  strip->setFrameStyle(QFrame::Panel | QFrame::Raised);
  strip->setGeometry(0, 0, stored.Form.ClientWidth, stored.Panel1.Height);
  AddLabel(*strip, stored.Label1);
  AddLabel(*strip, stored.Label2);
  AddSizeChooser(*strip, stored.ComboBox1);
  auto* start = new QPushButton(Text(stored.Button1.Caption), strip);
  Place(*start, stored.Button1.Bounds);
  AddTimeBox(*strip, stored.VosTimeBox1);
  AddBoard(window, stored);
  window.show();
  return application.exec();
}
