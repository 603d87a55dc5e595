VERSION 5.00
Begin VB.Form UserFormTEST1
   BackColor       =   &H8000000F&
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "UserForm1_capt"
   ClientHeight    =   7020
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   8385
   BeginProperty Font
      Name            =   "Tahoma"
      Size            =   8.25
      Charset         =   0
      Weight          =   400
      Underline       =   0
      Italic          =   0
      Strikethrough   =   0
   EndProperty
   ForeColor       =   &H80000012&
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight    =   7020
   ScaleWidth     =   8385
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin VB.Label Label1
      Caption         =   "Label1-test"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   1080
      TabIndex        =   0
      Tag             =   "sdfff"
      Top             =   240
      Width           =   840
      WordWrap        =   -1
   End
   Begin VB.TextBox TextBox1
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   315
      Left            =   2760
      TabIndex        =   1
      Top             =   480
      Width           =   885
      PasswordChar    =   "&"
      Text            =   "heyhey"
   End
   Begin VB.ComboBox ComboBox1
      BackColor       =   &H80000005&
      Enabled         =   0   'False
      ForeColor       =   &H80000008&
      Height          =   1200
      Left            =   4800
      TabIndex        =   2
      Top             =   240
      Width           =   1680
   End
   Begin VB.CheckBox CheckBox1
      Caption         =   "mouahaha"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   480
      Left            =   4080
      TabIndex        =   4
      Top             =   2040
      Width           =   720
      Value           =   1
   End
   Begin VB.OptionButton OptionButton1
      Caption         =   "OptionButton1"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   480
      Left            =   5760
      TabIndex        =   5
      Top             =   2040
      Width           =   840
   End
   Begin <unknown>.ToggleButton ToggleButton1
      Caption         =   "ToggleButton1"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   840
      Left            =   1560
      TabIndex        =   6
      Alignment       =   2
      Top             =   3120
      Width           =   840
   End
   Begin VB.Frame Frame1
      Caption         =   "Frame1"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   1320
      Left            =   2640
      TabIndex        =   7
      Top             =   2880
      Width           =   1680
      Begin VB.TextBox TextBox2
         BackColor       =   &H80000005&
         ForeColor       =   &H80000008&
         Height          =   360
         Left            =   120
         TabIndex        =   0
         Top             =   360
         Width           =   1440
         Text            =   "abcd"
      End
   End
   Begin <unknown>.TabStrip TabStrip1
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   2280
      Left            =   5520
      TabIndex        =   8
      Top             =   2880
      Width           =   2760
   End
   Begin VB.CommandButton CommandButton1
      Caption         =   "CommandButton1"
      BackColor       =   &H8000000F&
      Height          =   240
      Left            =   4680
      TabIndex        =   9
      Top             =   3600
      Width           =   360
   End
   Begin <unknown>.MultiPage MultiPage1
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   2160
      Left            =   120
      TabIndex        =   10
      Top             =   4440
      Width           =   2280
   End
   Begin VB.VScrollBar ScrollBar1
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   1320
      Left            =   2880
      TabIndex        =   11
      Top             =   4560
      Width           =   360
   End
   Begin <unknown>.SpinButton SpinButton1
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   1440
      Left            =   3840
      TabIndex        =   12
      Top             =   4800
      Width           =   960
   End
   Begin VB.Image Image1
      BackColor       =   &H8000000F&
      Height          =   1200
      Left            =   5280
      TabIndex        =   13
      Top             =   5400
      Width           =   1200
   End
   Begin VB.ListBox ListBox1
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   1081
      Left            =   1560
      TabIndex        =   3
      Top             =   1560
      Width           =   1680
   End
End
Attribute VB_Name = "UserFormTEST1"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False

Private Sub Frame1_Click()

End Sub

Private Sub ListBox1_Click()

End Sub

Private Sub TabStrip1_Change()

End Sub

Private Sub TextBox2_Change()

End Sub
