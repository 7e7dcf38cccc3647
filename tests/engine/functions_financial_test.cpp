// Depreciation and the time value of money: values as the engine writes them
// back, the failures with their own texts, and the functions checked against
// each other on whole loans and savings plans.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/function_table.h"
#include "engine/number_text.h"

#include "test_support.h"

namespace korvex {
namespace {

long double Call(const std::string& name, std::vector<long double> values) {
  FunctionState state;
  return ComputeFunction(name, values, state);
}

std::string Compute(const std::string& call) { return testing::ComputeCall(call); }
std::string FailureOf(const std::string& call) { return testing::FailureOfCall(call); }

struct Case {
  const char* call;
  const char* result;
};

TEST(FinancialFunctions, Depreciation) {
  const Case cases[] = {
      {"sldepreciation[1000;100;9]", "100"},
      {"sldepreciation[1000;100;9.9]", "100"},  // the life is truncated
      {"sldepreciation[100;1000;9]", "-100"},
      {"sydepreciation[1000;100;9;1]", "180"},
      {"sydepreciation[1000;100;9;9]", "20"},
      {"sydepreciation[1000;100;9;10]", "0"},
      {"sydepreciation[1000;100;9;0]", "0"},
      {"sydepreciation[100;1000;9;1]", "0"},
      // L * (L + 1) is beyond 32 bits here.
      {"sydepreciation[1000;0;100000;1]", "0,019999800002"},
      {"ddbalance[1000;100;10;1]", "200"},
      {"ddbalance[1000;100;10;2]", "160"},
      {"ddbalance[1000;1000;10;1]", "0"},
      {"ddbalance[1000;500;10;4]", "12"},  // stops at the salvage value ...
      {"ddbalance[1000;500;10;5]", "0"},   // ... and never goes below it
      {"ddbalance[1000;100;10;11]", "0"},
      {"ddbalance[1000;100;2;1]", "900"},
      {"ddbalance[1000;100;2;2]", "0"},
      {"ddbalance[1000;100;0;0]", "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(Compute(c.call), c.result) << c.call;
}

TEST(FinancialFunctions, TimeValueOfMoney) {
  const Case cases[] = {
      {"efuturevalue[0.1;2;-100;0]", "210"},
      {"sfuturevalue[0.1;2;-100;0]", "231"},
      {"efuturevalue[0;5;-100;-1000]", "1500"},
      {"sfuturevalue[0;5;-100;-1000]", "1500"},
      {"efuturevalue[0.1;2.9;-100;0]", "210"},         // periods truncated
      {"efuturevalue[0.1;4294967298;-100;0]", "210"},  // low 32 bits
      {"efuturevalue[9;16;0;-1]", "1E16"},             // P = 1E16 is still allowed
      // Below 6.1E-5 the series form of the annuity factor: exact would be
      // 1000,0450012...
      {"efuturevalue[0.00001;10;-100;0]", "1000,045"},
      {"sfuturevalue[0.00001;10;-100;0]", "1000,05500045"},
      {"epresentvalue[0.1;2;-100;0]", "173,553719008264"},
      {"spresentvalue[0.1;2;-100;0]", "190,909090909091"},
      {"epresentvalue[0.1;2;0;-1000]", "826,446280991736"},
      // Beyond P = 1E16 the limits, which ignore the future value.
      {"epresentvalue[1;100;-100;1E20]", "100"},
      {"spresentvalue[1;100;-100;1E20]", "200"},
      {"epayment[0.1;2;1000;0]", "-576,190476190476"},
      {"spayment[0.1;2;1000;0]", "-523,809523809524"},
      {"epayment[0;4;1000;200]", "-300"},
      {"epayment[1;100;1000;1E20]", "-1000"},
      {"spayment[1;100;1000;1E20]", "-500"},
      {"eperiods[0.1;-576.190476190476;1000;0]", "2"},
      {"speriods[0.1;-523.809523809524;1000;0]", "2"},
      {"eperiods[0;-100;1000;0]", "10"},
      {"eperiods[0.00001;-100;1000;0]", "10,00100010001"},
      {"einterestrate[1;-1100;1000;0]", "0,1"},
      {"einterestrate[4;-100;-1000;1646.51875]", "0,05"},  // pv and fv exchanged
      {"einterestrate[100;-10;1000;0]", "0"},
      {"sinterestrate[10;-100;0;1753.11670611]", "0,1"},
      // A savings plan without a present value, paying at the end.
      {"einterestrate[10;-100;0;1500]", "0,0873205217799398"},
      {"einterestrate[2;-100;0;190]", "-0,1"},
      {"einterestpay[0.1;1;2;1000;0]", "-100"},
      {"einterestpay[0.1;2;2;1000;0]", "-52,3809523809524"},
      {"eperiodpay[0.1;1;2;1000;0]", "-476,190476190476"},
      {"eperiodpay[0.1;2;2;1000;0]", "-523,809523809524"},
      // Paid at the start, the first payment is all principal.
      {"sinterestpay[0.1;1;2;1000;0]", "0"},
      {"speriodpay[0.1;1;2;1000;0]", "-523,809523809524"},
      {"sinterestpay[0.1;2;2;1000;0]", "-47,6190476190476"},
      {"speriodpay[0.1;2;2;1000;0]", "-476,190476190476"},
  };
  for (const auto& c : cases) EXPECT_EQ(Compute(c.call), c.result) << c.call;
}

TEST(FinancialFunctions, FailuresCarryTheirOwnText) {
  const struct {
    const char* call;
    const char* failure;
  } cases[] = {
      {"sldepreciation[1000;100;0]", "SLNDepreciation"},
      {"sldepreciation[1000;100;-3]", "SLNDepreciation"},
      {"sldepreciation[1000;100;0.5]", "SLNDepreciation"},
      {"efuturevalue[-1;2;-100;0]", "FutureValue"},
      {"sfuturevalue[-1.5;2;-100;0]", "FutureValue"},
      {"efuturevalue[9;17;0;-1]", "FutureValue"},  // P = 1E17
      {"efuturevalue[1;100;-100;0]", "FutureValue"},
      {"epresentvalue[-1;2;-100;0]", "PresentValue"},
      {"spresentvalue[-2;2;-100;0]", "PresentValue"},
      {"epayment[-1;2;1000;0]", "Payment"},
      {"spayment[-1;2;1000;0]", "Payment"},
      {"eperiods[-1;-100;1000;0]", "NumberOfPeriods"},
      {"eperiods[0.1;-100;1000;0]", "NumberOfPeriods"},  // only pays the interest
      {"eperiods[0.1;-50;1000;0]", "NumberOfPeriods"},   // never repaid
      {"speriods[0.1;-100;1100;0]", "NumberOfPeriods"},
      {"einterestrate[0;-100;1000;0]", "InterestRate"},
      {"einterestrate[-2;-100;1000;0]", "InterestRate"},
      {"sinterestrate[1;-1000;1000;0]", "InterestRate"},
      {"einterestrate[2;100;1000;0]", "InterestRate"},  // money only received
      {"einterestrate[2;0;0;190]", "InterestRate"},
      {"einterestrate[1;-100;0;150]", "InterestRate"},  // nothing flows before the end
      {"einterestpay[0.1;0;2;1000;0]", "InterestPayment"},
      {"einterestpay[0.1;3;2;1000;0]", "InterestPayment"},
      {"sinterestpay[-1;1;2;1000;0]", "InterestPayment"},
      {"eperiodpay[0.1;3;2;1000;0]", "PeriodPayment"},
      {"speriodpay[0.1;0;2;1000;0]", "PeriodPayment"},
      {"eperiodpay[-1;1;2;1000;0]", "PeriodPayment"},
      // Everything else is the ordinary arithmetic failure.
      {"efuturevalue[1;100000;-100;0]", kOverflow},  // P overflows before the test
      {"epayment[0.1;0;1000;0]", kDivisionByZero},
      {"epayment[0;0;0;0]", kInvalidOperation},
      {"efuturevalue[0.1;1E19;-100;0]", kInvalidOperation},  // no 64-bit period count
      {"einterestrate[2;0;-100;0]", kInvalidOperation},
  };
  for (const auto& c : cases) EXPECT_EQ(FailureOf(c.call), c.failure) << c.call;
}

// Each function must undo the others on the same loan or savings plan, and
// the interest and principal parts must add up to the payment, period by
// period, with the principal parts repaying the balance.
TEST(FinancialFunctions, InverseFunctionsAgree) {
  const struct {
    long double rate;
    int periods;
    long double present;
    long double future;
  } plans[] = {
      {0.1L, 2, 1000, 0},    {0.05L, 12, 1000, -300},  {0.07L, 5, -500, 2000},
      {-0.02L, 10, 1000, 0}, {0.005L, 360, 200000, 0}, {0.1L, 10, 0, 1593.74L},
      {0.25L, 3, 100, -50},
  };
  for (const auto& plan : plans) {
    for (const char* timing : {"e", "s"}) {
      const std::string t = timing;
      const long double r = plan.rate;
      const long double n = plan.periods;
      const long double pv = plan.present;
      const long double fv = plan.future;
      SCOPED_TRACE(t + " rate " + FloatToStr(r) + ", " + FloatToStr(n) + " periods, pv " +
                   FloatToStr(pv) + ", fv " + FloatToStr(fv));
      const auto near = [](long double actual, long double expected) {
        EXPECT_NEAR(static_cast<double>(actual), static_cast<double>(expected),
                    1E-9 * std::fmax(1.0, std::fabs(static_cast<double>(expected))));
      };
      const long double payment = Call(t + "payment", {r, n, pv, fv});
      near(Call(t + "futurevalue", {r, n, payment, pv}), fv);
      near(Call(t + "presentvalue", {r, n, payment, fv}), pv);
      near(Call(t + "periods", {r, payment, pv, fv}), n);
      near(Call(t + "interestrate", {n, payment, pv, fv}), r);
      long double principal = 0;
      for (long double k = 1; k <= n; ++k) {
        const long double interest_part = Call(t + "interestpay", {r, k, n, pv, fv});
        const long double principal_part = Call(t + "periodpay", {r, k, n, pv, fv});
        near(interest_part + principal_part, payment);
        principal += principal_part;
      }
      // Paying at the start, the last payment is one period before the end.
      const long double remaining = t == "s" ? fv / (1 + r) : fv;
      near(principal, -(pv + remaining));
    }
  }
}

}  // namespace
}  // namespace korvex
