// The key filters and the focus-loss corrections of the numeric boxes, as
// functions of the text: every text a box can hold, and some it cannot, with
// the value it ends with and the message shown first.

#include <QTest>

#include "field_corrections.h"
#include "key_filters.h"

namespace {

const QString kChargeMessage = QStringLiteral("Charge can only be between -2 and 7, inclusive.");
const QString kSpinMessage = QStringLiteral("Spin can be no more than 6.");
const QString kNMessage = QStringLiteral("N should be no larger than 6.");

}  // namespace

Q_DECLARE_METATYPE(MessageIcon)

class FieldCorrectionsTest : public QObject {
  Q_OBJECT

 private slots:
  void allowOnlyNumericKeepsDigitsBackspaceAndFullStop() {
    for (int code = 0; code < 256; ++code) {
      int key = code;
      AllowOnlyNumeric(key);
      const bool kept = (code >= 48 && code <= 57) || code == 8 || code == 46;
      QCOMPARE(key, kept ? code : 0);
    }
    int euro = 0x20AC;
    AllowOnlyNumeric(euro);
    QCOMPARE(euro, 0);
  }

  void chargeTakesMinusOnlyIntoAnEmptyBox() {
    int minus = '-';
    AllowChargeKey(minus, QString());
    QCOMPARE(minus, int('-'));
    for (const char* text : {"5", "-", "0"}) {
      minus = '-';
      AllowChargeKey(minus, QString::fromLatin1(text));
      QCOMPARE(minus, 0);
    }
    int digit = '7';
    AllowChargeKey(digit, QStringLiteral("-"));
    QCOMPARE(digit, int('7'));
    int letter = 'a';
    AllowChargeKey(letter, QString());
    QCOMPARE(letter, 0);
    int plus = '+';
    AllowChargeKey(plus, QString());
    QCOMPARE(plus, 0);
  }

  void roundsHalvesToEven() {
    QCOMPARE(roundHalfToEven(0.5), 0.0);
    QCOMPARE(roundHalfToEven(1.5), 2.0);
    QCOMPARE(roundHalfToEven(2.5), 2.0);
    QCOMPARE(roundHalfToEven(7.5), 8.0);
    QCOMPARE(roundHalfToEven(6.5), 6.0);
    QCOMPARE(roundHalfToEven(-0.5), 0.0);
    QCOMPARE(roundHalfToEven(-1.5), -2.0);
    QCOMPARE(roundHalfToEven(-2.5), -2.0);
    QCOMPARE(roundHalfToEven(2.4), 2.0);
    QCOMPARE(roundHalfToEven(2.6), 3.0);
    QCOMPARE(roundHalfToEven(-2.6), -3.0);
  }

  void readsPlainDecimalsOnly() {
    QCOMPARE(plainDecimalValue(u"12"), std::optional<double>(12));
    QCOMPARE(plainDecimalValue(u"-2"), std::optional<double>(-2));
    QCOMPARE(plainDecimalValue(u"1."), std::optional<double>(1));
    QCOMPARE(plainDecimalValue(u".5"), std::optional<double>(0.5));
    QCOMPARE(plainDecimalValue(u"-.5"), std::optional<double>(-0.5));
    for (const char16_t* text : {u"", u".", u"-", u"-.", u"..", u"1.2.", u"+1", u"1e3", u" 1", u"1-"})
      QVERIFY2(!plainDecimalValue(text).has_value(), qPrintable(QString::fromUtf16(text)));
  }

  void readsTheLeadingNumber() {
    QCOMPARE(leadingNumericValue(u""), 0.0);
    QCOMPARE(leadingNumericValue(u"."), 0.0);
    QCOMPARE(leadingNumericValue(u"7"), 7.0);
    QCOMPARE(leadingNumericValue(u"6.5"), 6.5);
    QCOMPARE(leadingNumericValue(u"12x"), 12.0);
    QCOMPARE(leadingNumericValue(u"x12"), 0.0);
    QCOMPARE(leadingNumericValue(u"1.2.3"), 1.2);
  }

  void correctsCharge_data() { rowsFor("charge"); }
  void correctsCharge() { checkCorrection(correctCharge); }
  void correctsSpin_data() { rowsFor("spin"); }
  void correctsSpin() { checkCorrection(correctSpin); }
  void correctsOptimizationLevel_data() { rowsFor("n"); }
  void correctsOptimizationLevel() { checkCorrection(correctOptimizationLevel); }
  void correctsSteepestDescent_data() { rowsFor("itsd"); }
  void correctsSteepestDescent() { checkCorrection(correctSteepestDescent); }
  void correctsNaturalOrbital_data() { rowsFor("natural"); }
  void correctsNaturalOrbital() { checkCorrection(correctNaturalOrbital); }

 private:
  struct Row {
    const char* box;
    const char* text;
    const char* after;
    QString message = {};
    MessageIcon icon = MessageIcon::None;
  };

  static const QList<Row>& rows() {
    const auto none = MessageIcon::None;
    const auto info = MessageIcon::Information;
    static const QList<Row> table{
        // Charge: -2 to 7; "", "-" and "-0" quietly 0; out of range 0 with the message.
        {"charge", "", "0"},
        {"charge", "-", "0"},
        {"charge", "-0", "0"},
        {"charge", "0", "0"},
        {"charge", "7", "7"},
        {"charge", "-2", "-2"},
        {"charge", "-1", "-1"},
        {"charge", "03", "03"},
        {"charge", "8", "0", kChargeMessage, info},
        {"charge", "99", "0", kChargeMessage, info},
        {"charge", "-3", "0", kChargeMessage, info},
        {"charge", "-9", "0", kChargeMessage, info},
        {"charge", "9.", "0", kChargeMessage, info},
        {"charge", "7.5", "0", kChargeMessage, info},  // 8 after rounding
        {"charge", "-2.6", "0", kChargeMessage, info},
        {"charge", "-2.5", "0"},  // -2 after rounding: in range, but not a whole number
        {"charge", "6.5", "0"},
        {"charge", "1.5", "0"},
        {"charge", "1.", "0"},
        {"charge", ".5", "0"},
        {"charge", ".", "0"},
        {"charge", "-.", "0"},
        {"charge", "..", "0"},
        // Spin: 0 to 6; above 6 becomes 6 with the message.
        {"spin", "", "0"},
        {"spin", "0", "0"},
        {"spin", "6", "6"},
        {"spin", "7", "6", kSpinMessage, info},
        {"spin", "8", "6", kSpinMessage, info},
        {"spin", "9", "6", kSpinMessage, info},
        {"spin", "6.5", "0"},  // 6 after rounding
        {"spin", "7.5", "6", kSpinMessage, info},
        {"spin", "1.5", "0"},
        {"spin", ".", "0"},
        // n: 0 to 6; above 6 becomes 6 with the message, which has no icon.
        {"n", "", "0"},
        {"n", "0", "0"},
        {"n", "4", "4"},
        {"n", "6", "6"},
        {"n", "7", "6", kNMessage, none},
        {"n", "9", "6", kNMessage, none},
        {"n", "6.5", "6", kNMessage, none},  // the number as read, not rounded
        {"n", "1.5", "0"},
        {"n", ".", "0"},
        // Steepest-descent iterations: empty, 0 and 00 give the default 30.
        {"itsd", "", "30"},
        {"itsd", "0", "30"},
        {"itsd", "00", "30"},
        {"itsd", "5", "5"},
        {"itsd", "05", "05"},
        {"itsd", "99", "99"},
        {"itsd", ".", "30"},
        {"itsd", "..", "30"},
        {"itsd", "5.", "30"},
        {"itsd", ".5", "30"},
        {"itsd", "1.5", "30"},
        // Natural-orbital iterations: one digit, else 0.
        {"natural", "", "0"},
        {"natural", "2", "2"},
        {"natural", "9", "9"},
        {"natural", ".", "0"},
        {"natural", "1.5", "0"},
    };
    return table;
  }

  static void rowsFor(const char* box) {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("message");
    QTest::addColumn<MessageIcon>("icon");
    for (const Row& row : rows())
      if (qstrcmp(row.box, box) == 0)
        QTest::addRow("'%s'", row.text) << QString::fromLatin1(row.text) << QString::fromLatin1(row.after)
                                        << row.message << row.icon;
  }

  static void checkCorrection(FieldCorrection (*correct)(const QString&)) {
    QFETCH(QString, text);
    QFETCH(QString, after);
    QFETCH(QString, message);
    QFETCH(MessageIcon, icon);
    const FieldCorrection correction = correct(text);
    QCOMPARE(correction.text, after);
    if (message.isEmpty()) {
      QVERIFY(!correction.message.has_value());
    } else {
      QVERIFY(correction.message.has_value());
      QCOMPARE(correction.message->text, message);
      QCOMPARE(correction.message->icon, icon);
      QCOMPARE(correction.message->title, QStringLiteral("VORDEN Input"));
    }
  }
};

QTEST_APPLESS_MAIN(FieldCorrectionsTest)
#include "field_corrections_test.moc"
