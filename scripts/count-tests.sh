#!/bin/sh
# Counts the Qt Test functions (slots other than set-up, clean-up and _data tables), the data
# rows, and the non-blank lines of the tests against the rest of the C++ code.
cd "${1:-$(dirname "$0")/..}"
tests=$(git ls-files -co --exclude-standard -- 'tests/*' | grep -E '\.(cpp|h)$')
code=$(git ls-files -co --exclude-standard -- 'core/*' 'ui/*' 'print/*' 'cli/*' 'app/*' 'bench/*' | grep -E '\.(cpp|h)$')
t=$(cat $tests | grep -cv '^[[:space:]]*$')
c=$(cat $code | grep -cv '^[[:space:]]*$')
functions=$(cat $tests | awk '
    /^(private|public) slots:/ { inslots = 1; next }
    /^(private|public|protected):/ || /^};/ { inslots = 0 }
    inslots && /^    void [A-Za-z0-9_]+\(\)/ {
        name = $2; sub(/\(.*/, "", name)
        if (name !~ /_data$/ && name !~ /^(init|cleanup|initTestCase|cleanupTestCase)$/) n++
    }
    END { print n + 0 }')
rows=$(cat $tests | grep -oE 'QTest::(newRow|addRow)\(' | wc -l)
echo "test functions: $functions, data rows: $rows"
echo "test lines: $t of $((c + t)) non-blank C++ lines ($((100 * t / (c + t)))%); code $c"
