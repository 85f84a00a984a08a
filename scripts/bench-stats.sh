# Sourced by the benchmarks: the figures of a set of measured values.
# median V...        the median
# median_range V...  "median [least-most]"
# ratio A B          A / B to two places
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
median_range() {
  printf '%s\n' "$@" | sort -n |
    awk '{a[NR]=$1} END {printf "%s [%s-%s]", (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2), a[1], a[NR]}'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
