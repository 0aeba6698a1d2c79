// Byte-exact component streams of the card classes, as documents and the
// clipboard carry them.
#include <gtest/gtest.h>

#include "ComponentStream.h"
#include "Errors.h"
#include "Gridshape.h"
#include "Labelex.h"
#include "Qushape.h"

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(QByteArray(hex).replace(' ', "")); }

TEST(ShapeStream, WorkedCircleExampleIsByteExact) {
  TQuShape shape(nullptr);
  shape.SetLeft(80);
  shape.SetTop(129);
  shape.SetShape(qustCircle);
  shape.Pen()->SetColor(clRed);
  const QByteArray expected = Hex(
      "54 50 46 30 08 54 51 75 53 68 61 70 65 00 04 4C"
      "65 66 74 02 50 03 54 6F 70 03 81 00 05 53 68 61"
      "70 65 07 0A 71 75 73 74 43 69 72 63 6C 65 09 50"
      "65 6E 2E 43 6F 6C 6F 72 07 05 63 6C 52 65 64 00"
      "00");
  EXPECT_EQ(expected.size(), 65);
  EXPECT_EQ(ComponentStream::WriteComponent(shape), expected);

  TQuShape back(nullptr);
  ComponentStream::ReadComponent(expected, back);
  EXPECT_EQ(back.Left(), 80);
  EXPECT_EQ(back.Top(), 129);
  EXPECT_EQ(back.Shape(), qustCircle);
  EXPECT_EQ(back.Pen()->Color(), clRed);
}

}  // namespace
