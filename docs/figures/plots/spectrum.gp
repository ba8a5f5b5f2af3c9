# The initial spectrum |h0(k)|^2 over the 64 x 64 wave vectors, log scale,
# with the wind's direction and the peak wave number.
load 'style.gpi'
load 'numbers/values.txt'
set output 'spectrum.png'
set terminal pngcairo size 900,760
set title sprintf("Initial spectrum |h_0(k)|^2 of the fixed sea (seed %d), log scale\npeak wavelength %.1f units (|k| = %.3f rad/unit), shortest %.2f units", fixed_sea_seed, peak_wavelength, peak_wave_number, shortest_wavelength)
set xlabel 'k_x (rad/unit)'
set ylabel 'k_y (rad/unit)'
set cblabel 'log_{10} |h_0(k)|^2 (blank: zero energy)'
set size ratio -1
@pal_level
set cbrange [-12:*]
set xrange [-1.62:1.55]
set yrange [-1.62:1.55]
set object 1 circle at 0,0 size peak_wave_number fc rgb 'white' fs empty border lc rgb 'white' lw 1.5 front
set arrow 1 from 0,0 to 0.9*wind_unit_x, 0.9*wind_unit_y lc rgb 'white' lw 3 head filled size 0.06,25 front
set label 1 'wind' at 0.9*wind_unit_x + 0.04, 0.9*wind_unit_y + 0.06 tc rgb 'white' front
set label 2 'peak |k|' at 0.05, -0.2 tc rgb 'white' front
set key off
plot 'numbers/spectrum.dat' using 1:2:($3 > 0 ? log10($3) : NaN) with image
