-- loop_sum with a global sum (Lua's for-loop counter is always local).
S = 0.0
for I = 1, 2000000 do
  S = S + I * I
end
print(string.format("%.17g", S))
