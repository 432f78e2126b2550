#!/bin/sh
# Runs a program with its standard error merged and prints its exit status last.
"$@" 2>&1
echo "estado=$?"
