fCall;fBand|3|PKT|fContinent neq "EU";fContinent neq ""
fCall;fBand|1|PKT|fContinent eq "EU";fPrefix neq "DL"
fPrefix;fBand|1|MLT|fPrefix neq ""
